#include "shell/explorer_watch/win32_explorer_windows.h"

#include <windows.h>

#include <string>

#include "platform/win32/targeting/foreground.h"
#include "platform/win32/targeting/window_handle.h"
#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"

namespace tolvane::win32 {

namespace {

constexpr int kTextRoom = 260;
// A hung Explorer must not hold the chore thread for ever.
constexpr ULONGLONG kCloseTimeoutMs = 10000;
constexpr DWORD kClosePollMs = 20;

struct ClassSearch {
  std::wstring className;
  ExplorerWindowList* list;
};

WindowPlacement fromWin32(const WINDOWPLACEMENT& placement) {
  WindowPlacement result;
  result.flags = placement.flags;
  result.showCommand = placement.showCmd;
  result.minX = placement.ptMinPosition.x;
  result.minY = placement.ptMinPosition.y;
  result.maxX = placement.ptMaxPosition.x;
  result.maxY = placement.ptMaxPosition.y;
  result.left = placement.rcNormalPosition.left;
  result.top = placement.rcNormalPosition.top;
  result.right = placement.rcNormalPosition.right;
  result.bottom = placement.rcNormalPosition.bottom;
  return result;
}

WINDOWPLACEMENT toWin32(const WindowPlacement& placement) {
  WINDOWPLACEMENT result{};
  result.length = sizeof(result);
  result.flags = placement.flags;
  result.showCmd = placement.showCommand;
  result.ptMinPosition = {placement.minX, placement.minY};
  result.ptMaxPosition = {placement.maxX, placement.maxY};
  result.rcNormalPosition = {placement.left, placement.top, placement.right, placement.bottom};
  return result;
}

BOOL CALLBACK collectOfClass(HWND window, LPARAM searchAddress) {
  auto* search = reinterpret_cast<ClassSearch*>(searchAddress);
  wchar_t className[kTextRoom];
  const int classLength = GetClassNameW(window, className, kTextRoom);
  if (classLength <= 0 || std::wstring_view(className, classLength) != search->className) return TRUE;
  ExplorerWindowRecord record;
  record.window = toWindowHandle(window);
  wchar_t title[kTextRoom];
  record.title = fromWide(std::wstring_view(title, GetWindowTextW(window, title, kTextRoom)));
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (GetWindowPlacement(window, &placement)) record.placement = fromWin32(placement);
  search->list->push_back(std::move(record));
  return TRUE;
}

}  // namespace

ExplorerWindowList Win32ExplorerWindows::windowsOfClass(std::u16string_view className) {
  ExplorerWindowList list;
  ClassSearch search{toWide(className), &list};
  EnumWindows(collectOfClass, reinterpret_cast<LPARAM>(&search));
  return list;
}

std::u16string Win32ExplorerWindows::windowTitle(WindowHandle window) {
  wchar_t title[kTextRoom];
  return fromWide(std::wstring_view(title, GetWindowTextW(toHwnd(window), title, kTextRoom)));
}

void Win32ExplorerWindows::setPlacement(WindowHandle window, const WindowPlacement& placement) {
  const WINDOWPLACEMENT native = toWin32(placement);
  HWND target = toHwnd(window);
  if (SetWindowPlacement(target, &native)) return;
  // Some systems refuse placements of other processes' windows; moving the
  // window and setting its show state gets it to the same place.
  const RECT& rect = native.rcNormalPosition;
  SetWindowPos(target, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (native.showCmd == SW_SHOWMINIMIZED || native.showCmd == SW_SHOWMAXIMIZED) ShowWindow(target, native.showCmd);
}

// Explorer makes COM calls while its window closes, and COM refuses calls
// made inside a message sent from another process (Wine's Explorer then
// crashes): the close is posted, and the wait is for the window to go.
// Messages sent to this thread meanwhile are handled, as a sending wait
// would.
void Win32ExplorerWindows::closeWindow(WindowHandle window) {
  HWND target = toHwnd(window);
  if (!PostMessageW(target, WM_SYSCOMMAND, SC_CLOSE, 0)) return;
  const ULONGLONG deadline = GetTickCount64() + kCloseTimeoutMs;
  while (IsWindow(target) && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kClosePollMs, QS_SENDMESSAGE);
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

std::uint32_t Win32ExplorerWindows::startProgram(std::u16string_view commandLine) {
  std::wstring line = toWide(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
  }
  // Nothing waits for the program or its first thread.
  const KernelHandle program(process.hProcess);
  CloseHandle(process.hThread);
  return 0;
}

void Win32ExplorerWindows::sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

std::uint64_t Win32ExplorerWindows::tickMs() { return GetTickCount64(); }

bool Win32ExplorerWindows::bringToForeground(WindowHandle window) { return win32::bringToForeground(toHwnd(window)); }

}  // namespace tolvane::win32
