// The main window's side of the chore editor: which selection it opens for,
// and where its result goes.

#include "editors/chore/win32/chore_dlg.h"
#include "shell/core/editor_session.h"
#include "shell/main_window/tolvane_dlg.h"

namespace tolvane::win32 {

// Wizard-made chores are not for the editor; a step edits its chore.
bool CTolvaneDlg::canEditSelectedChore() const {
  const TreeItemInfo selected = tree_.selected();
  return canOpenEditor() && (selected.kind == TreeItemKind::Chore || selected.kind == TreeItemKind::Step) &&
         !isWizardName(selected.name);
}

void CTolvaneDlg::newChore() {
  EditorSession session(*core_);
  if (auto chore = editChore(hwnd(), session.context(), nullptr)) store_.addChore(*chore);
}

void CTolvaneDlg::editSelectedChore() {
  const std::u16string name = tree_.selected().name;
  const Chore existing = core_->library().copyChore(name);
  // A step whose chore is gone has nothing to edit.
  if (!existing.isFound()) return;
  EditorSession session(*core_);
  if (auto chore = editChore(hwnd(), session.context(), &existing)) store_.replaceChore(name, *chore);
}

}  // namespace tolvane::win32
