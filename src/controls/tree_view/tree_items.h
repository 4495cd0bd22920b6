#pragma once
// Tree-view items by their text, for trees whose labels are the only link
// to the records behind them, and by their place under their parent.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace tolvane::win32 {

// The item's label, however long; empty when the item is gone.
std::u16string treeItemText(HWND tree, HTREEITEM item);

// The first child of `parent` (a root item when `parent` is null) whose
// label is `text`; null when there is none.
HTREEITEM findTreeChild(HWND tree, HTREEITEM parent, std::u16string_view text);

// The parent's child at a zero-based index; null when it has fewer.
HTREEITEM treeChildAt(HWND tree, HTREEITEM parent, int index);

// The item's image, selected or not; nothing for a null item.
void setTreeItemImage(HWND tree, HTREEITEM item, int image);

}  // namespace tolvane::win32
