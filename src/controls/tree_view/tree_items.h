#pragma once
// Tree-view items by their text, for trees whose labels are the only link
// to the records behind them.

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

}  // namespace tolvane::win32
