#pragma once
// What the notification-area icon does when clicked: a double-click shows
// the main window again, a right click opens its menu ("Tolvane v...",
// View Hot keys, Show Tolvane, a "Stop" item for each list in progress,
// seven at most, and Exit), each item greyed as the command table says.

#include <windows.h>

#include "library/chore_library.h"
#include "shell/main_window/command_table.h"

namespace tolvane::win32 {

// The icon's callback message, its `event` being the mouse message.
void onTrayNotify(HWND window, LPARAM event, const CommandTable& commands, const ChoreLibrary& library);

// The window back from the notification area or the taskbar, in front.
void showWindowFromTray(HWND window);

}  // namespace tolvane::win32
