#pragma once
// What the notification-area icon does when clicked: a double-click shows
// the main window again, a right click opens its menu ("Tolvane v...",
// View Hot keys, Show Tolvane, a "Stop" item for each list in progress,
// seven at most, and Exit), each item enabled or greyed by `updateMenu`
// (the main window's command table).

#include <windows.h>

#include <functional>

#include "library/chore_library.h"

namespace tolvane::win32 {

using MenuUpdate = std::function<void(HMENU)>;

// The icon's callback message, its `event` being the mouse message.
void onTrayNotify(HWND window, LPARAM event, const MenuUpdate& updateMenu, const ChoreLibrary& library);

// The window back from the notification area or the taskbar, in front.
void showWindowFromTray(HWND window);

}  // namespace tolvane::win32
