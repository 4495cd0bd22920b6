#pragma once
// Trying out what the wizard built before it is added: a chore carried out
// on the chore thread, or a list run on a thread of its own, unseen in the
// main window and never in the library.

#include "library/chore.h"
#include "library/chore_list.h"

namespace tolvane {

class ChoreTrials {
 public:
  virtual ~ChoreTrials() = default;

  // False when there is no chore thread.
  virtual bool runChore(const Chore& chore) = 0;

  // One trial list at a time; false when one runs or it could not start.
  virtual bool startList(const ChoreList& list) = 0;
  virtual bool listRunning() = 0;
  // Asks the trial list to stop, as Stop does for a library list.
  virtual void stopList() = 0;
};

}  // namespace tolvane
