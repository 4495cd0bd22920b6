// The main window's own commands: ending and showing it, running and
// stopping what is selected, the selection's editor, the wizard, the
// tree's sorting, cloning and deleting, and Help.

#include "controls/window_text/window_text.h"
#include "editors/wizard/win32/wizard_dlg.h"
#include "shell/about/about_dlg.h"
#include "shell/core/editor_session.h"
#include "shell/help/help_file.h"
#include "shell/main_window/main_parts.h"
#include "shell/resource.h"
#include "shell/tray/tray_menu.h"

namespace tolvane::win32 {

namespace {

void onExitCommand(MainParts& parts) {
  if (parts.core.settings().exitSystray) {
    ShowWindow(parts.window, SW_HIDE);
    return;
  }
  parts.exit();
}

void showAbout(MainParts& parts) {
  parts.aboutOpen = true;
  showAboutBox(parts.instance, parts.window);
  parts.aboutOpen = false;
}

bool canRunSelected(const MainParts& parts) {
  const TreeItemKind kind = parts.tree.selected().kind;
  if (kind == TreeItemKind::List) return !isSelectedListRunning(parts);
  return kind == TreeItemKind::Chore || kind == TreeItemKind::Step;
}

// A chore or a step is carried out on the chore thread, a list on its own.
void runSelected(MainParts& parts) {
  const TreeItemInfo selected = parts.tree.selected();
  if (selected.kind == TreeItemKind::List) {
    parts.core.startList(selected.name);
    return;
  }
  parts.core.runChore(selected.name);
}

// The key chores the library lacks go in before the list that uses them.
void runWizard(MainParts& parts) {
  EditorSession session(parts.core);
  const std::optional<WizardResult> made = runChoreWizard(parts.window, session.context());
  if (!made) return;
  for (const Chore& chore : made->newChores) parts.store.addChore(chore);
  if (made->chore) parts.store.addChore(*made->chore);
  if (made->list) parts.store.addChoreList(*made->list);
}

// The Help key: the topic of the active window, by its caption.
void openHelpForActiveWindow(const MainParts& parts) {
  HWND active = GetActiveWindow();
  if (!active) active = parts.window;
  openHelp(parts.window, helpTopicForCaption(windowText(active)));
}

void addEndingAndShowing(CommandTable& commands, MainParts& parts) {
  commands.add(IDCANCEL, {{}, [&parts] { onExitCommand(parts); }});
  commands.add(ID_FILE_EXIT, {{}, [&parts] { onExitCommand(parts); }});
  commands.add(ID_TRAY_EXIT, {{}, [&parts] { parts.exit(); }});
  commands.add(ID_TRAY_SHOW,
               {[&parts] { return !IsWindowVisible(parts.window); }, [&parts] { showWindowFromTray(parts.window); }});
  commands.add(ID_APP_ABOUT, {[&parts] { return !parts.aboutOpen; }, [&parts] { showAbout(parts); }});
  commands.add(ID_CLEAR_ACTIVITY, {{}, [&parts] { parts.core.clearActivity(); }});
}

void addRunningAndStopping(CommandTable& commands, MainParts& parts) {
  commands.add(ID_RUN_SELECTED, {[&parts] { return canRunSelected(parts); }, [&parts] { runSelected(parts); }});
  commands.add(ID_STOP_SELECTED, {[&parts] { return isSelectedListRunning(parts); },
                                  [&parts] { parts.core.stopList(parts.tree.selected().name); }});
  commands.addRange(ID_TRAY_STOP_FIRST, ID_TRAY_STOP_COUNT, {},
                    [&parts](int index) { parts.core.stopRunningListAt(index); });
}

// The tree menu's Edit and the toolbar's (the menu bar's "Selected &chore"
// shares the toolbar's identifier): the editor of what is selected, a
// chore, a step's chore or a list.
void addEditSelected(CommandTable& commands, MainParts& parts) {
  commands.add(ID_EDIT_SELECTED, {[&parts] { return canEditSelectedChore(parts) || canEditSelectedList(parts); },
                                  [&parts] {
                                    if (parts.tree.selected().kind == TreeItemKind::List) return editSelectedList(parts);
                                    editSelectedChore(parts);
                                  }});
  commands.require(ID_EDIT_SELECTED, [&parts] {
    const SelectionCommands selection = parts.treeEdits.selectionCommands();
    return selection.editChore || selection.editList;
  });
  commands.forward(ID_EDIT_SELECTED_CHORE, ID_EDIT_SELECTED);
}

void addTreeCommands(CommandTable& commands, MainParts& parts) {
  const auto rootSelected = [&parts] {
    const TreeItemKind kind = parts.tree.selected().kind;
    return kind == TreeItemKind::ChoresRoot || kind == TreeItemKind::ListsRoot;
  };
  const auto recordSelected = [&parts] {
    const TreeItemKind kind = parts.tree.selected().kind;
    return kind == TreeItemKind::Chore || kind == TreeItemKind::List;
  };
  commands.add(ID_SORT_BY_NAME, {rootSelected, [&parts] { parts.treeEdits.sortSelectedBranch(SortKey::Name); }});
  commands.add(ID_SORT_BY_TYPE, {[&parts] { return parts.tree.selected().kind == TreeItemKind::ChoresRoot; },
                                 [&parts] { parts.treeEdits.sortSelectedBranch(SortKey::Type); }});
  commands.add(ID_TREE_CLONE, {recordSelected, [&parts] { parts.treeEdits.cloneSelected(); }});
  commands.add(ID_TREE_DELETE, {recordSelected, [&parts] { parts.treeEdits.deleteSelected(); }});
  // The tree menu's items are the window's commands.
  commands.forward(ID_TREE_EDIT, ID_EDIT_SELECTED);
  commands.forward(ID_TREE_RUN, ID_RUN_SELECTED);
  commands.forward(ID_TREE_STOP, ID_STOP_SELECTED);
  commands.forward(ID_TREE_SCHEDULE, ID_SCHEDULE_CHORELIST);
}

}  // namespace

bool isSelectedListRunning(const MainParts& parts) {
  const TreeItemInfo selected = parts.tree.selected();
  return selected.kind == TreeItemKind::List && parts.core.isListRunning(selected.name);
}

void addMainCommands(CommandTable& commands, MainParts& parts) {
  addEndingAndShowing(commands, parts);
  addRunningAndStopping(commands, parts);
  addEditSelected(commands, parts);
  commands.add(ID_FILE_WIZARD, {[&parts] { return canOpenDialog(parts); }, [&parts] { runWizard(parts); }});
  addTreeCommands(commands, parts);
  commands.add(ID_HELP_USER_MANUAL, {{}, [&parts] { openHelp(parts.window); }});
  commands.add(ID_HELP_TOPIC, {{}, [&parts] { openHelpForActiveWindow(parts); }});
}

}  // namespace tolvane::win32
