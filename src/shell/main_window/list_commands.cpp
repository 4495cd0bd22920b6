// The main window's commands that open the chore-list and schedule
// editors, and store what they return.

#include "editors/chore_list/win32/chore_list_dlg.h"
#include "editors/schedule/win32/schedule_dlg.h"
#include "shell/core/editor_session.h"
#include "shell/main_window/tolvane_dlg.h"

namespace tolvane::win32 {

bool CTolvaneDlg::canOpenEditor() const { return canOpenDialog(); }

// A list under way is only stopped, not edited or scheduled; lists the
// wizard keeps for itself are not edited by hand.
bool CTolvaneDlg::canEditSelectedList() const {
  return canScheduleSelectedList() && !isWizardName(tree_.selected().name);
}

bool CTolvaneDlg::canScheduleSelectedList() const {
  return canOpenEditor() && tree_.selected().kind == TreeItemKind::List && !isSelectedListRunning();
}

void CTolvaneDlg::createChoreList() {
  EditorSession session(*core_);
  const std::optional<ChoreList> list = editChoreList(hwnd(), session.context(), nullptr);
  if (list) store_.addChoreList(*list);
}

void CTolvaneDlg::editSelectedList() {
  const std::u16string name = tree_.selected().name;
  EditorSession session(*core_);
  const ChoreList existing = core_->library().copyChoreList(name);
  const std::optional<ChoreList> list = editChoreList(hwnd(), session.context(), &existing);
  if (list) store_.replaceChoreList(name, *list);
}

void CTolvaneDlg::scheduleSelectedList() {
  const std::u16string name = tree_.selected().name;
  EditorSession session(*core_);
  const ChoreSchedule now = core_->library().copyChoreList(name).schedule;
  if (auto schedule = editSchedule(hwnd(), session.context(), now)) store_.storeSchedule(name, *schedule);
}

}  // namespace tolvane::win32
