#pragma once
// Portable window numbers and Win32 window handles are the same value.

#include <windows.h>

#include "platform/window_info.h"

namespace tolvane::win32 {

inline HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle toWindowHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace tolvane::win32
