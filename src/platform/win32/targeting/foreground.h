#pragma once
// Bringing another program's window to the front even while a third
// program holds the foreground.

#include <windows.h>

namespace tolvane::win32 {

// Restores the window's last active pop-up when minimised and makes it the
// foreground window; returns what SetForegroundWindow returned. Pauses
// 300 ms so that the window is in front before the caller goes on.
bool bringToForeground(HWND window);

}  // namespace tolvane::win32
