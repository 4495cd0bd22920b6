#pragma once
// The tree's context menus: on a root its sort menu ("Sort by name", and
// on "Chores" "Sort by type" as well), on a chore or list its item menu
// (Edit, Clone, Run, Delete, Stop, Schedule), offering what the item's own
// rules allow of what the window can do now. A right click opens the menu
// of the item under the pointer, on its label or icon; Shift+F10 and the
// menu key the selected item's, at the item.

#include <windows.h>

#include "shell/main_window/chore_tree.h"
#include "shell/main_window/command_table.h"
#include "shell/main_window/tree_edits.h"

namespace tolvane::win32 {

class TreeMenus {
 public:
  TreeMenus(const ChoreTree& tree, const TreeEdits& edits, const CommandTable& commands);
  ~TreeMenus();
  TreeMenus(const TreeMenus&) = delete;
  TreeMenus& operator=(const TreeMenus&) = delete;

  // WM_CONTEXTMENU from the tree: at the screen point, or at (-1, -1)
  // from the keyboard.
  void show(HWND owner, int x, int y);
  // WM_INITMENUPOPUP: false for any menu but the item menu.
  bool updateItemMenu(HMENU menu) const;

 private:
  void showFor(HWND owner, HTREEITEM item, int x, int y);

  const ChoreTree& tree_;
  const TreeEdits& edits_;
  const CommandTable& commands_;
  HMENU itemMenu_;
};

}  // namespace tolvane::win32
