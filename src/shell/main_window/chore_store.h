#pragma once
// The main window's half of storing what an editor returns: the library
// (library/library_edits.h) and the tree change together, a new or edited
// list and a new chore become the tree's selection, and the change is
// marked for saving and shown in the status bar's counts. An edited chore
// leaves the selection where it was: the user may have opened its editor
// from one of its steps.
//
// A new chore goes right after the selected chore, at the top when the
// "Chores" root is selected, else at the end; a new list likewise with the
// selected list and the "Chore Lists" root.

#include <functional>
#include <string_view>

#include "library/chore_library.h"
#include "platform/clock.h"
#include "shell/main_window/chore_tree.h"

namespace tolvane::win32 {

struct ChoreStoreEffects {
  // choresChanged and the status bar's refresh.
  std::function<void()> changed;
  // "_tolvSchedCmdEvnt_": the scheduler looks at the schedules again.
  std::function<void()> wakeScheduler;
};

class ChoreStore {
 public:
  ChoreStore(ChoreLibrary& library, ChoreTree& tree, const Clock& clock, ChoreStoreEffects effects)
      : library_(library), tree_(tree), clock_(clock), effects_(std::move(effects)) {}

  void addChore(const Chore& chore);
  // The chore that had `oldName` when its editor opened takes the new one's
  // place, name and image; so do the steps that ran it. False, with nothing
  // changed, when it is gone.
  bool replaceChore(std::u16string_view oldName, const Chore& chore);

  // The new list's item is expanded to show its steps. A list's schedule
  // counts from the scheduler's first look at it, so the scheduler looks
  // at once (a clone made at 08:30 of a list due at 09:00 starts at 09:00).
  void addChoreList(const ChoreList& list);
  bool replaceChoreList(std::u16string_view oldName, const ChoreList& list);

  // The list's icon follows its schedule, and the scheduler wakes.
  bool storeSchedule(std::u16string_view listName, const ChoreSchedule& schedule);

 private:
  int listImage(const ChoreSchedule& schedule) const;

  ChoreLibrary& library_;
  ChoreTree& tree_;
  const Clock& clock_;
  ChoreStoreEffects effects_;
};

}  // namespace tolvane::win32
