#include "shell/tray/tray_menu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/format.h"
#include "win32_common/wide.h"
#include "shell/logs/log_writers.h"
#include "shell/resource.h"
#include "shell/running/running_lists.h"

namespace tolvane::win32 {

namespace {

constexpr int kTrayStopItemsMax = 7;

void showTrayMenu(HWND window, const MenuUpdate& updateMenu, const ChoreLibrary& library) {
  HMENU menu = CreatePopupMenu();
  const std::wstring title = toWide(formatText(u"Tolvane v%s", versionText(GetModuleHandleW(nullptr))));
  AppendMenuW(menu, MF_STRING, ID_APP_ABOUT, title.c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, ID_VIEW_HOTKEYS, L"View &Hot keys");
  AppendMenuW(menu, MF_STRING, ID_TRAY_SHOW, L"&Show Tolvane");
  const std::vector<std::u16string> running = runningListNames(library);
  if (!running.empty()) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const int shown = std::min<int>(static_cast<int>(running.size()), kTrayStopItemsMax);
    for (int i = 0; i < shown; ++i) {
      const std::wstring caption = toWide(u"Stop \"" + running[i] + u"\"");
      AppendMenuW(menu, MF_STRING, ID_TRAY_STOP_FIRST + i, caption.c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  AppendMenuW(menu, MF_STRING, ID_TRAY_EXIT, L"E&xit the program now");
  updateMenu(menu);

  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
  PostMessageW(window, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

}  // namespace

void onTrayNotify(HWND window, LPARAM event, const MenuUpdate& updateMenu, const ChoreLibrary& library) {
  if (event == WM_LBUTTONDBLCLK) showWindowFromTray(window);
  if (event == WM_RBUTTONUP) showTrayMenu(window, updateMenu, library);
}

void showWindowFromTray(HWND window) {
  ShowWindow(window, SW_SHOW);
  if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  } else {
    SetForegroundWindow(window);
  }
}

}  // namespace tolvane::win32
