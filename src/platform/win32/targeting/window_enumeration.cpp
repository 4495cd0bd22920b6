#include "platform/win32/targeting/window_enumeration.h"

#include <psapi.h>

#include "platform/win32/targeting/process_enumerator.h"
#include "platform/win32/targeting/window_handle.h"
#include "platform/win32/targeting/window_iterator.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

constexpr int kTopLevelTextRoom = 260;
constexpr int kChildTextRoom = 520;
constexpr DWORD kModuleNameRoom = MAX_PATH;

std::u16string text16(const wchar_t* text, int length) { return fromWide(std::wstring_view(text, length)); }

BOOL CALLBACK collectChild(HWND child, LPARAM listAddress) {
  wchar_t text[kChildTextRoom];
  const int length = GetWindowTextW(child, text, kChildTextRoom);
  if (length <= 0) return TRUE;
  wchar_t className[kChildTextRoom];
  const int classLength = GetClassNameW(child, className, kChildTextRoom);
  WindowInfo info;
  info.text = text16(text, length);
  info.className = text16(className, classLength > 0 ? classLength : 0);
  info.window = toWindowHandle(child);
  info.controlId = GetDlgCtrlID(child);
  reinterpret_cast<WindowInfoList*>(listAddress)->push_back(std::move(info));
  return TRUE;
}

}  // namespace

WindowInfoList enumerateMainWindows() {
  WindowInfoList list;
  TopLevelWindows topLevel;
  topLevel.take();
  CProcessEnumerator processes;
  for (DWORD processId = processes.next(); processId != 0; processId = processes.next()) {
    // Most processes own no window; they are not opened at all.
    if (!topLevel.ownsAny(processId)) continue;
    ProcessHandle process(processId);
    if (!process) continue;
    HMODULE executable = CModuleEnumerator(process.get(), true).next();
    if (!executable) continue;

    wchar_t baseName[kModuleNameRoom];
    wchar_t path[kModuleNameRoom];
    const DWORD baseLength = GetModuleBaseNameW(process.get(), executable, baseName, kModuleNameRoom);
    const DWORD pathLength = GetModuleFileNameExW(process.get(), executable, path, kModuleNameRoom);

    CMainWindowIterator windows(processId);
    windows.collect(topLevel);
    for (std::size_t i = 0; i < windows.count(); ++i) {
      wchar_t text[kTopLevelTextRoom];
      const int length = GetWindowTextW(windows[i], text, kTopLevelTextRoom);
      if (length <= 0) continue;
      wchar_t className[kTopLevelTextRoom];
      const int classLength = GetClassNameW(windows[i], className, kTopLevelTextRoom);
      WindowInfo info;
      info.text = text16(text, length);
      info.moduleBaseName = text16(baseName, static_cast<int>(baseLength));
      info.modulePath = text16(path, static_cast<int>(pathLength));
      info.className = text16(className, classLength > 0 ? classLength : 0);
      info.window = toWindowHandle(windows[i]);
      list.push_back(std::move(info));
    }
  }
  return list;
}

WindowInfoList enumerateChildWindows(HWND parent) {
  WindowInfoList list;
  EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&list));
  return list;
}

bool isProcessRunning(std::u16string_view namePart) {
  const std::wstring wanted = toWide(namePart);
  CProcessEnumerator processes;
  for (DWORD processId = processes.next(); processId != 0; processId = processes.next()) {
    ProcessHandle process(processId);
    if (!process) continue;
    HMODULE executable = CModuleEnumerator(process.get(), true).next();
    if (!executable) continue;
    wchar_t baseName[kModuleNameRoom];
    const DWORD length = GetModuleBaseNameW(process.get(), executable, baseName, kModuleNameRoom);
    if (std::wstring_view(baseName, length).find(wanted) != std::wstring_view::npos) return true;
  }
  return false;
}

}  // namespace tolvane::win32
