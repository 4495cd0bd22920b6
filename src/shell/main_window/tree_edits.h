#pragma once
// The tree's own commands on the main window: sorting a branch, renaming
// in place (F2 or a slow click), cloning and deleting. The rules are
// library/tree_commands.h; here the tree and the library change together,
// each change is marked for saving, and a renamed or deleted list wakes the
// scheduler, as every change of a list does.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

#include "library/chore_library.h"
#include "library/tree_commands.h"
#include "platform/prompts.h"
#include "shell/main_window/chore_store.h"
#include "shell/main_window/chore_tree.h"

namespace tolvane::win32 {

class TreeEdits {
 public:
  // Posted to the tree's parent when a label edit ends; the parent calls
  // finishRename. The tree is still ending the edit when it tells, so a
  // message box then would end it a second time.
  static constexpr UINT kFinishRenameMessage = WM_APP + 58;

  TreeEdits(ChoreLibrary& library, ChoreTree& tree, ChoreStore& store, Prompts& prompts, ChoreStoreEffects effects)
      : library_(library), tree_(tree), store_(store), prompts_(prompts), effects_(std::move(effects)) {}

  // The selected root's branch; by type only "Chores".
  void sortSelectedBranch(SortKey key);
  // The selected chore or list.
  void cloneSelected();
  void deleteSelected();

  // What the item menu and the editing commands offer for the selection.
  ItemMenuState itemMenu() const;
  SelectionCommands selectionCommands() const;

  // F2: the selected item's label editor.
  void editSelectedLabel();
  // TVN_BEGINLABELEDIT: true when the item may be renamed.
  bool mayRename(HTREEITEM item) const;
  // TVN_ENDLABELEDIT with the text typed (null when the edit was
  // cancelled); the rename itself follows on kFinishRenameMessage.
  void labelEdited(HTREEITEM item, const wchar_t* text);
  // A used name is refused and the label editor opens again with it.
  void finishRename();

 private:
  struct PendingRename {
    TreeItemInfo item;
    std::u16string name;
  };

  void rename(const TreeItemInfo& item, const std::u16string& name);

  ChoreLibrary& library_;
  ChoreTree& tree_;
  ChoreStore& store_;
  Prompts& prompts_;
  ChoreStoreEffects effects_;
  SortDirection direction_;
  std::optional<PendingRename> pendingRename_;
};

}  // namespace tolvane::win32
