#pragma once
// How running and scheduled chore lists show in the main window: the tree
// marks the list and its current step, the tray tip names the list, and
// list icons tell scheduled lists apart. Called from worker threads; the
// main window's implementation hands the work to its own thread.

#include <string_view>

#include "library/chore_list.h"

namespace tolvane {

class RunDisplay {
 public:
  virtual ~RunDisplay() = default;

  virtual void listStarted(std::u16string_view listName) = 0;
  // The step's index among the list's items; -1 marks none of them.
  virtual void stepStarted(std::u16string_view listName, int stepIndex) = 0;
  // Restores the tray tip and the list's item, with the icon its schedule
  // calls for.
  virtual void listEnded(const ChoreList& list) = 0;

  // The scheduler will start the list later today.
  virtual void listPendingToday(std::u16string_view listName) = 0;
  // The scheduler has just started the list.
  virtual void listLaunchedBySchedule(std::u16string_view listName) = 0;
};

}  // namespace tolvane
