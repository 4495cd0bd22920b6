#include "shell/main_window/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "controls/window_text/window_text.h"
#include "win32_common/wide.h"
#include "shell/main_window/main_layout.h"
#include "shell/running/running_lists.h"

namespace tolvane::win32 {

void StatusBar::create(HWND parent, HINSTANCE instance, int id) {
  bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, 0, 0,
                         0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  // Both panes exist from the start; fitPanes gives them their widths.
  int parts[2] = {200, -1};
  SendMessageW(bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void StatusBar::refresh(const ChoreLibrary& library, bool full) {
  if (!bar_) return;
  if (full) {
    const std::wstring counts = toWide(choreCountText(library.choreCount(), library.choreListCount()));
    SendMessageW(bar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(counts.c_str()));
  }
  const std::wstring text = toWide(statusText(runningListNames(library)));
  wchar_t shown[1024] = {};
  if (LOWORD(SendMessageW(bar_, SB_GETTEXTLENGTHW, 0, 0)) < std::size(shown)) {
    SendMessageW(bar_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  }
  if (text == shown) return;
  SendMessageW(bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(bar_, SB_SETTIPTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int StatusBar::height() const {
  SendMessageW(bar_, WM_SIZE, 0, 0);
  RECT status{};
  GetWindowRect(bar_, &status);
  return status.bottom - status.top;
}

void StatusBar::fitPanes(int clientWidth, double scale) {
  wchar_t chores[64] = {};
  SendMessageW(bar_, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(chores));
  const int choresWidth = textWidth(bar_, chores) + static_cast<int>(24 * scale);
  int parts[2] = {std::max(0, clientWidth - choresWidth), -1};
  SendMessageW(bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

}  // namespace tolvane::win32
