// The main window's command table: every menu, toolbar, tray and tree-menu
// command, with when it can run and what it runs.

#include "controls/window_text/window_text.h"
#include "editors/wizard/win32/wizard_dlg.h"
#include "shell/about/about_dlg.h"
#include "shell/app/editor_session.h"
#include "shell/help/help_file.h"
#include "shell/main_window/tolvane_dlg.h"
#include "shell/resource.h"

namespace tolvane::win32 {

void CTolvaneDlg::addCommandRows() {
  // Ending and showing.
  commands_.add(IDCANCEL, {{}, [this] { onExitCommand(); }});
  commands_.add(ID_FILE_EXIT, {{}, [this] { onExitCommand(); }});
  commands_.add(ID_TRAY_EXIT, {{}, [this] { exitSequence(); }});
  commands_.add(ID_TRAY_SHOW, {[this] { return !IsWindowVisible(hwnd()); }, [this] { showWindowFromTray(); }});
  commands_.add(ID_APP_ABOUT, {[this] { return !aboutOpen_; }, [this] { showAbout(); }});
  commands_.add(ID_CLEAR_ACTIVITY, {{}, [this] { core_->logs().activityLog.clearByUser(); }});

  // Running and stopping.
  commands_.add(ID_RUN_SELECTED, {[this] { return canRunSelected(); }, [this] { runSelected(); }});
  commands_.add(ID_STOP_SELECTED, {[this] { return isSelectedListRunning(); },
                                   [this] { core_->running()->stopList(tree_.selected().name); }});
  commands_.addRange(
      ID_TRAY_STOP_FIRST, ID_TRAY_STOP_COUNT, [this](int) { return core_->running() != nullptr; },
      [this](int index) { core_->running()->stopRunningListAt(index); });

  // The chore editor for a new chore.
  commands_.add(ID_FILE_NEW_CHORE, {[this] { return canOpenEditor(); }, [this] { newChore(); }});

  // The chore-list editor: a new list and the selected one; the schedule
  // editor for the selected list (also the toolbar's and the tree menu's
  // Schedule).
  commands_.add(ID_FILE_NEW_CHORELIST, {[this] { return canOpenEditor(); }, [this] { createChoreList(); }});
  commands_.add(ID_EDIT_SELECTED_CHORELIST, {[this] { return canEditSelectedList(); }, [this] { editSelectedList(); }});
  commands_.add(ID_FILE_SCHEDULE, {[this] { return canScheduleSelectedList(); }, [this] { scheduleSelectedList(); }});

  // The tree menu's Edit and the toolbar's (the menu bar's "Selected
  // &chore" shares the toolbar's identifier): the editor of what is
  // selected, a chore, a step's chore or a list.
  commands_.add(ID_EDIT_SELECTED, {[this] { return canEditSelectedChore() || canEditSelectedList(); },
                                   [this] {
                                     if (tree_.selected().kind == TreeItemKind::List) return editSelectedList();
                                     editSelectedChore();
                                   }});
  commands_.forward(ID_EDIT_SELECTED_CHORE, ID_EDIT_SELECTED);

  // The chore wizard.
  commands_.add(ID_FILE_WIZARD, {[this] { return canOpenEditor(); }, [this] { runWizard(); }});

  // The views: options (32785), colours (32794) and hot keys (1002).
  commands_.add(ID_VIEW_OPTIONS, {[this] { return canOpenDialog(); }, [this] { showOptions(); }});
  commands_.add(ID_VIEW_COLOR_OPTIONS, {[this] { return canOpenDialog(); }, [this] { showColorOptions(); }});
  commands_.add(ID_VIEW_HOTKEYS, {[this] { return canOpenEditor(); }, [this] { showHotKeys(); }});
  commands_.forward(ID_SCHEDULE_CHORELIST, ID_FILE_SCHEDULE);
  // Whatever opens them, the editing commands need their kind of
  // selection and never open the wizard's own records.
  commands_.require(ID_EDIT_SELECTED_CHORELIST, [this] { return treeEdits_.selectionCommands().editList; });
  commands_.require(ID_EDIT_SELECTED, [this] {
    const SelectionCommands selection = treeEdits_.selectionCommands();
    return selection.editChore || selection.editList;
  });
  commands_.require(ID_FILE_SCHEDULE, [this] { return treeEdits_.selectionCommands().schedule; });

  // The tree's own commands.
  const auto rootSelected = [this] {
    const TreeItemKind kind = tree_.selected().kind;
    return kind == TreeItemKind::ChoresRoot || kind == TreeItemKind::ListsRoot;
  };
  const auto recordSelected = [this] {
    const TreeItemKind kind = tree_.selected().kind;
    return kind == TreeItemKind::Chore || kind == TreeItemKind::List;
  };
  commands_.add(ID_SORT_BY_NAME, {rootSelected, [this] { treeEdits_.sortSelectedBranch(SortKey::Name); }});
  commands_.add(ID_SORT_BY_TYPE, {[this] { return tree_.selected().kind == TreeItemKind::ChoresRoot; },
                                  [this] { treeEdits_.sortSelectedBranch(SortKey::Type); }});
  commands_.add(ID_TREE_CLONE, {recordSelected, [this] { treeEdits_.cloneSelected(); }});
  commands_.add(ID_TREE_DELETE, {recordSelected, [this] { treeEdits_.deleteSelected(); }});

  // Help.
  commands_.add(ID_HELP_USER_MANUAL, {{}, [this] { openHelp(hwnd()); }});
  commands_.add(ID_HELP_TOPIC, {{}, [this] { openHelpForActiveWindow(); }});

  // The tree menu's items are the window's commands.
  commands_.forward(ID_TREE_EDIT, ID_EDIT_SELECTED);
  commands_.forward(ID_TREE_RUN, ID_RUN_SELECTED);
  commands_.forward(ID_TREE_STOP, ID_STOP_SELECTED);
  commands_.forward(ID_TREE_SCHEDULE, ID_SCHEDULE_CHORELIST);
}

// The key chores the library lacks go in before the list that uses them.
void CTolvaneDlg::runWizard() {
  EditorSession session(*core_);
  const std::optional<WizardResult> made = runChoreWizard(hwnd(), session.context());
  if (!made) return;
  for (const Chore& chore : made->newChores) store_.addChore(chore);
  if (made->chore) store_.addChore(*made->chore);
  if (made->list) store_.addChoreList(*made->list);
}

void CTolvaneDlg::onExitCommand() {
  if (core_->settings().exitSystray) {
    ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  exitSequence();
}

bool CTolvaneDlg::canRunSelected() const {
  const TreeItemKind kind = tree_.selected().kind;
  if (kind == TreeItemKind::List) return core_->running() && !isSelectedListRunning();
  return core_->hotKeys() && (kind == TreeItemKind::Chore || kind == TreeItemKind::Step);
}

// A chore or a step is carried out on the chore thread, a list on its own.
void CTolvaneDlg::runSelected() {
  const TreeItemInfo selected = tree_.selected();
  if (selected.kind == TreeItemKind::List) {
    core_->running()->runList(selected.name);
    return;
  }
  core_->hotKeys()->runChore(selected.name);
}

bool CTolvaneDlg::isSelectedListRunning() const {
  const TreeItemInfo selected = tree_.selected();
  return core_->running() && selected.kind == TreeItemKind::List &&
         core_->library().copyChoreList(selected.name).inProgress;
}

void CTolvaneDlg::showAbout() {
  aboutOpen_ = true;
  showAboutBox(instance(), hwnd());
  aboutOpen_ = false;
}

void CTolvaneDlg::openHelpForActiveWindow() {
  HWND active = GetActiveWindow();
  if (!active) active = hwnd();
  openHelp(hwnd(), helpTopicForCaption(windowText(active)));
}

}  // namespace tolvane::win32
