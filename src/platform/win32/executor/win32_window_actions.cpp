#include "platform/win32/executor/win32_window_actions.h"

#include <windows.h>

#include "platform/win32/targeting/window_handle.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

// Rectangles are read and set in physical pixels whatever the calling
// thread's DPI awareness, so that a position picked on a scaled monitor is
// the position set later, and another program's scaling never shifts it.
class PhysicalPixels {
 public:
  PhysicalPixels() {
    if (!calls().set) return;
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    const auto perMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    // Taken before setting: a successful set may answer null (Wine does,
    // for a thread that never set its own).
    previous_ = calls().get();
    calls().set(calls().isValid(perMonitorV2) ? perMonitorV2 : perMonitor);
  }
  ~PhysicalPixels() {
    if (previous_) calls().set(previous_);
  }
  PhysicalPixels(const PhysicalPixels&) = delete;
  PhysicalPixels& operator=(const PhysicalPixels&) = delete;

 private:
  // Windows 10 1607 and later; older systems have one DPI for all.
  struct Calls {
    HANDLE(WINAPI* get)() = nullptr;
    HANDLE(WINAPI* set)(HANDLE) = nullptr;
    BOOL(WINAPI* isValid)(HANDLE) = nullptr;
  };
  static const Calls& calls() {
    static const Calls found = [] {
      const HMODULE user32 = GetModuleHandleW(L"user32.dll");
      Calls all;
      all.get = reinterpret_cast<decltype(all.get)>(
          reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
      all.set = reinterpret_cast<decltype(all.set)>(
          reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
      all.isValid = reinterpret_cast<decltype(all.isValid)>(
          reinterpret_cast<void*>(GetProcAddress(user32, "IsValidDpiAwarenessContext")));
      if (!all.get || !all.set || !all.isValid) return Calls{};
      return all;
    }();
    return found;
  }

  HANDLE previous_ = nullptr;
};

}  // namespace

bool Win32WindowActions::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  return PostMessageW(toHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != FALSE;
}

bool Win32WindowActions::isMinimized(WindowHandle window) { return IsIconic(toHwnd(window)) != FALSE; }

void Win32WindowActions::restore(WindowHandle window) { SendMessageW(toHwnd(window), WM_SYSCOMMAND, SC_RESTORE, 0); }

bool Win32WindowActions::place(WindowHandle window, std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height) {
  PhysicalPixels physical;
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

std::optional<ScreenRect> Win32WindowActions::windowRect(WindowHandle window) {
  PhysicalPixels physical;
  RECT rect{};
  if (!GetWindowRect(toHwnd(window), &rect)) return std::nullopt;
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace tolvane::win32
