// The main window's side of the chore editor: which selection it opens for,
// and where its result goes. The selection's editor is the window's Edit
// (main_commands.cpp).

#include "editors/chore/win32/chore_dlg.h"
#include "shell/core/editor_session.h"
#include "shell/main_window/main_parts.h"
#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

void newChore(MainParts& parts) {
  EditorSession session(parts.core);
  if (auto chore = editChore(parts.window, session.context(), nullptr)) parts.store.addChore(*chore);
}

}  // namespace

// Wizard-made chores are not for the editor; a step edits its chore.
bool canEditSelectedChore(const MainParts& parts) {
  const TreeItemInfo selected = parts.tree.selected();
  return canOpenDialog(parts) && (selected.kind == TreeItemKind::Chore || selected.kind == TreeItemKind::Step) &&
         !isWizardName(selected.name);
}

void editSelectedChore(MainParts& parts) {
  const std::u16string name = parts.tree.selected().name;
  const Chore existing = parts.core.library().copyChore(name);
  // A step whose chore is gone has nothing to edit.
  if (!existing.isFound()) return;
  EditorSession session(parts.core);
  if (auto chore = editChore(parts.window, session.context(), &existing)) parts.store.replaceChore(name, *chore);
}

void addChoreCommands(CommandTable& commands, MainParts& parts) {
  commands.add(ID_FILE_NEW_CHORE, {[&parts] { return canOpenDialog(parts); }, [&parts] { newChore(parts); }});
}

}  // namespace tolvane::win32
