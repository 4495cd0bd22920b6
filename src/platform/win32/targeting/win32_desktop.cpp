#include "platform/win32/targeting/win32_desktop.h"

#include "platform/win32/targeting/classic_menu.h"
#include "platform/win32/targeting/foreground.h"
#include "platform/win32/targeting/window_enumeration.h"
#include "platform/win32/targeting/window_handle.h"

namespace tolvane::win32 {

WindowInfoList Win32Desktop::mainWindows() { return enumerateMainWindows(); }

WindowInfoList Win32Desktop::childWindows(WindowHandle parent) { return enumerateChildWindows(toHwnd(parent)); }

bool Win32Desktop::bringToForeground(WindowHandle window) { return win32::bringToForeground(toHwnd(window)); }

std::optional<std::vector<ClassicMenuItem>> Win32Desktop::classicMenu(WindowHandle window) {
  return readClassicMenu(toHwnd(window));
}

bool Win32Processes::isProcessRunning(std::u16string_view namePart) { return win32::isProcessRunning(namePart); }

}  // namespace tolvane::win32
