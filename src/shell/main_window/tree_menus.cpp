#include "shell/main_window/tree_menus.h"

#include <commctrl.h>

#include <utility>

#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

bool itemMenuOffers(const ItemMenuState& offered, int command) {
  const std::pair<int, bool> items[] = {
      {ID_TREE_EDIT, offered.edit},     {ID_TREE_CLONE, offered.clone}, {ID_TREE_RUN, offered.run},
      {ID_TREE_DELETE, offered.remove}, {ID_TREE_STOP, offered.stop},   {ID_TREE_SCHEDULE, offered.schedule}};
  for (const auto& [id, offers] : items) {
    if (id == command) return offers;
  }
  return true;
}

}  // namespace

TreeMenus::TreeMenus(const ChoreTree& tree, const TreeEdits& edits, const CommandTable& commands)
    : tree_(tree), edits_(edits), commands_(commands), itemMenu_(CreatePopupMenu()) {
  AppendMenuW(itemMenu_, MF_STRING, ID_TREE_EDIT, L"Edit");
  AppendMenuW(itemMenu_, MF_STRING, ID_TREE_CLONE, L"Clone");
  AppendMenuW(itemMenu_, MF_STRING, ID_TREE_RUN, L"Run");
  AppendMenuW(itemMenu_, MF_STRING, ID_TREE_DELETE, L"Delete");
  AppendMenuW(itemMenu_, MF_STRING, ID_TREE_STOP, L"Stop");
  AppendMenuW(itemMenu_, MF_STRING, ID_TREE_SCHEDULE, L"Schedule");
}

TreeMenus::~TreeMenus() { DestroyMenu(itemMenu_); }

void TreeMenus::show(HWND owner, int x, int y) {
  HWND tree = tree_.hwnd();
  if (x == -1 && y == -1) {
    HTREEITEM selected = TreeView_GetSelection(tree);
    RECT label{};
    if (!selected || !TreeView_GetItemRect(tree, selected, &label, TRUE)) return;
    POINT at{label.left, label.bottom};
    ClientToScreen(tree, &at);
    showFor(owner, selected, at.x, at.y);
    return;
  }
  if (HTREEITEM item = tree_.itemAt(POINT{x, y})) showFor(owner, item, x, y);
}

bool TreeMenus::updateItemMenu(HMENU menu) const {
  if (menu != itemMenu_) return false;
  const ItemMenuState offered = edits_.itemMenu();
  commands_.updateMenu(menu, [offered](int id) { return itemMenuOffers(offered, id); });
  return true;
}

void TreeMenus::showFor(HWND owner, HTREEITEM item, int x, int y) {
  TreeView_SelectItem(tree_.hwnd(), item);
  const TreeItemInfo info = tree_.describe(item);
  if (info.kind == TreeItemKind::ChoresRoot || info.kind == TreeItemKind::ListsRoot) {
    HMENU sortMenu = CreatePopupMenu();
    AppendMenuW(sortMenu, MF_STRING, ID_SORT_BY_NAME, L"Sort by name");
    if (info.kind == TreeItemKind::ChoresRoot) AppendMenuW(sortMenu, MF_STRING, ID_SORT_BY_TYPE, L"Sort by type");
    commands_.updateMenu(sortMenu);
    TrackPopupMenu(sortMenu, TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    DestroyMenu(sortMenu);
    return;
  }
  TrackPopupMenu(itemMenu_, TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
}

}  // namespace tolvane::win32
