// The main window's commands that open the chore-list and schedule
// editors, and store what they return.

#include "editors/chore_list/win32/chore_list_dlg.h"
#include "editors/schedule/win32/schedule_dlg.h"
#include "shell/app/editor_session.h"
#include "shell/main_window/tolvane_dlg.h"

namespace tolvane::win32 {

namespace {

// Lists the wizard keeps for itself are not edited by hand.
bool isWizardName(std::u16string_view name) { return name.starts_with(u"_Wiz+"); }

}  // namespace

// Editors suspend the hot keys, which exist once start-up is through.
bool CTolvaneDlg::canOpenEditor() const { return canOpenDialog() && core_->hotKeys() != nullptr; }

bool CTolvaneDlg::canEditSelectedList() const {
  const TreeItemInfo selected = tree_.selected();
  return canOpenEditor() && selected.kind == TreeItemKind::List && !isWizardName(selected.name);
}

bool CTolvaneDlg::canScheduleSelectedList() const {
  return canOpenEditor() && tree_.selected().kind == TreeItemKind::List;
}

void CTolvaneDlg::createChoreList() {
  EditorSession session(*core_);
  if (auto list = editChoreList(hwnd(), session.context(), nullptr)) store_.addChoreList(*list);
}

void CTolvaneDlg::editSelectedList() {
  const std::u16string name = tree_.selected().name;
  EditorSession session(*core_);
  const ChoreList existing = core_->library().copyChoreList(name);
  if (auto list = editChoreList(hwnd(), session.context(), &existing)) store_.replaceChoreList(name, *list);
}

void CTolvaneDlg::scheduleSelectedList() {
  const std::u16string name = tree_.selected().name;
  EditorSession session(*core_);
  const ChoreSchedule now = core_->library().copyChoreList(name).schedule;
  if (auto schedule = editSchedule(hwnd(), session.context(), now)) store_.storeSchedule(name, *schedule);
}

}  // namespace tolvane::win32
