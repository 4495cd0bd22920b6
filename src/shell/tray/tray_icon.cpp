#include "shell/tray/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "win32_common/wide.h"

namespace tolvane::win32 {

bool TrayIcon::setTrayTip(std::u16string_view text) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner_;
  data.uID = 0;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon_;
  // The tip field holds 127 characters; a longer tip is cut there.
  if (text.size() > 256) text = text.substr(0, 255);
  const std::wstring tip = toWide(text);
  const std::size_t count = std::min(tip.size(), std::size(data.szTip) - 1);
  tip.copy(data.szTip, count);
  data.szTip[count] = L'\0';
  if (Shell_NotifyIconW(added_ ? NIM_MODIFY : NIM_ADD, &data)) {
    added_ = true;
    return true;
  }
  return false;
}

void TrayIcon::remove() {
  if (!added_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner_;
  data.uID = 0;
  Shell_NotifyIconW(NIM_DELETE, &data);
  added_ = false;
}

}  // namespace tolvane::win32
