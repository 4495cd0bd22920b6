#include "platform/win32/executor/win32_window_actions.h"

#include <windows.h>

#include "platform/win32/targeting/window_handle.h"
#include "platform/win32/common/wide.h"

namespace tolvane::win32 {

bool Win32WindowActions::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  return PostMessageW(toHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != FALSE;
}

bool Win32WindowActions::isMinimized(WindowHandle window) { return IsIconic(toHwnd(window)) != FALSE; }

void Win32WindowActions::restore(WindowHandle window) { SendMessageW(toHwnd(window), WM_SYSCOMMAND, SC_RESTORE, 0); }

bool Win32WindowActions::place(WindowHandle window, std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height) {
  return SetWindowPos(toHwnd(window), HWND_TOP, left, top, width, height, SWP_SHOWWINDOW) != FALSE;
}

WindowHandle Win32WindowActions::foregroundWindow() { return toWindowHandle(GetForegroundWindow()); }

std::u16string Win32WindowActions::foregroundWindowText() {
  wchar_t title[MAX_PATH] = {};
  const HWND window = GetForegroundWindow();
  if (!window) return {};
  GetWindowTextW(window, title, MAX_PATH);
  return fromWide(title);
}

}  // namespace tolvane::win32
