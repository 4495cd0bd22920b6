#pragma once
// What the chore tree tells the main window (WM_NOTIFY from its tree): a
// new selection, an item's tip (the summary of its chore, step or list), a
// double-click (Run), label edits (renaming in place), F2 and Delete.

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "shell/main_window/command_table.h"
#include "shell/main_window/main_parts.h"

namespace tolvane::win32 {

// The result for the notification; `selectionChanged` lets the toolbar
// follow.
LRESULT onTreeNotify(NMHDR* header, MainParts& parts, const CommandTable& commands,
                     const std::function<void()>& selectionChanged);

}  // namespace tolvane::win32
