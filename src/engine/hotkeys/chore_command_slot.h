#pragma once
// The hand-over of work to the chore thread (and of "exit" to the
// scheduler): a command word and a copy of the chore to carry out, written
// before the thread's event is signalled and taken after it wakes.
//
// A request that arrives while the chore thread is busy replaces any
// request not yet taken; the thread takes its own copy of the chore when it
// wakes, so a new request never changes the chore being carried out.
// Requests from the command line are queued instead (queueChore): nothing
// replaces them, and they are carried out in the order they came, so a
// requester told "done" is never let down. "exit" is final: no later
// request replaces it.

#include <cstddef>
#include <deque>
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

  // The most queued requests that wait at once; more are refused.
  static constexpr std::size_t kQueuedMax = 32;

  // runChore: the chore thread carries out this copy of a chore.
  void runChore(Chore chore);
  // A request that no later one replaces; false when kQueuedMax wait
  // already or the program is ending.
  bool queueChore(Chore chore);
  // Any other command word for the chore thread.
  void postCommand(std::u16string_view command);
  // Shutdown: "exit" for the chore thread and the scheduler, both woken.
  void requestExit();

  bool exitRequested() const;
  // The chore thread's side: the oldest pending command and its own copy
  // of the chore (except after "exit"). When more wait, the chore event is
  // set again, so that the thread comes back for them.
  TakenCommand take();

  Event* choreEvent() const { return choreEvent_.get(); }
  Event* schedulerEvent() const { return schedulerEvent_.get(); }

 private:
  std::shared_ptr<Event> choreEvent_;
  std::shared_ptr<Event> schedulerEvent_;
  struct Pending {
    TakenCommand command;
    bool replaceable;
  };
  // Appends, dropping the requests a new one replaces.
  void addReplaceable(TakenCommand command);

  mutable std::mutex mutex_;
  std::deque<Pending> pending_;
  bool exit_ = false;
};

}  // namespace tolvane
