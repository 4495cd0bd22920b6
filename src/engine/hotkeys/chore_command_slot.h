#pragma once
// The hand-over of work to the chore thread (and of "exit" to the
// scheduler): a command word and a copy of the chore to carry out, written
// before the thread's event is signalled and taken after it wakes.
//
// A request that arrives while the chore thread is busy replaces any
// request not yet taken; the thread takes its own copy of the chore when it
// wakes, so a new request never changes the chore being carried out.
// "exit" is final: no later request replaces it.

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "library/chore.h"
#include "platform/sync.h"

namespace tolvane {

inline constexpr std::u16string_view kCommandDoChore = u"doChore";
inline constexpr std::u16string_view kCommandExit = u"exit";

inline constexpr char16_t kChoreEventName[] = u"_tolvChoreCmdEvnt_";
inline constexpr char16_t kSchedulerEventName[] = u"_tolvSchedCmdEvnt_";

struct TakenCommand {
  std::u16string command;       // empty when nothing was pending
  std::optional<Chore> chore;   // with "doChore"
};

class ChoreCommandSlot {
 public:
  ChoreCommandSlot(std::shared_ptr<Event> choreEvent, std::shared_ptr<Event> schedulerEvent)
      : choreEvent_(std::move(choreEvent)), schedulerEvent_(std::move(schedulerEvent)) {}

  // runChore: the chore thread carries out this copy of a chore.
  void runChore(Chore chore);
  // Any other command word for the chore thread.
  void postCommand(std::u16string_view command);
  // Shutdown: "exit" for the chore thread and the scheduler, both woken.
  void requestExit();

  bool exitRequested() const;
  // The chore thread's side: the pending command and its own copy of the
  // chore; the slot is empty afterwards (except for "exit").
  TakenCommand take();

  Event* choreEvent() const { return choreEvent_.get(); }
  Event* schedulerEvent() const { return schedulerEvent_.get(); }

 private:
  std::shared_ptr<Event> choreEvent_;
  std::shared_ptr<Event> schedulerEvent_;
  mutable std::mutex mutex_;
  std::u16string command_;
  std::optional<Chore> chore_;
  bool exit_ = false;
};

}  // namespace tolvane
