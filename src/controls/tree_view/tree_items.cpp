#include "controls/tree_view/tree_items.h"

#include "win32_common/wide.h"

namespace tolvane::win32 {

std::u16string treeItemText(HWND tree, HTREEITEM item) {
  // Labels are not bounded by the tree; ask with a growing buffer.
  std::wstring buffer(128, L'\0');
  for (;;) {
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = buffer.data();
    query.cchTextMax = static_cast<int>(buffer.size());
    if (!TreeView_GetItem(tree, &query)) return {};
    const std::size_t length = wcsnlen(buffer.c_str(), buffer.size());
    if (length + 1 < buffer.size() || buffer.size() >= 65536) return fromWide(std::wstring_view(buffer.c_str(), length));
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

HTREEITEM findTreeChild(HWND tree, HTREEITEM parent, std::u16string_view text) {
  for (HTREEITEM child = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree); child;
       child = TreeView_GetNextSibling(tree, child)) {
    if (treeItemText(tree, child) == text) return child;
  }
  return nullptr;
}

HTREEITEM treeChildAt(HWND tree, HTREEITEM parent, int index) {
  if (!parent || index < 0) return nullptr;
  HTREEITEM child = TreeView_GetChild(tree, parent);
  for (; child && index > 0; --index) child = TreeView_GetNextSibling(tree, child);
  return child;
}

void setTreeItemImage(HWND tree, HTREEITEM item, int image) {
  if (!item) return;
  TVITEMW change{};
  change.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  change.hItem = item;
  change.iImage = change.iSelectedImage = image;
  TreeView_SetItem(tree, &change);
}

}  // namespace tolvane::win32
