#pragma once
// The notification-area icon: identifier 0, the window's icon, callback
// message WM_USER. The first setTrayTip adds it, later ones modify it.

#include <windows.h>

#include <string_view>

namespace tolvane::win32 {

constexpr UINT kTrayCallbackMessage = WM_USER;

class TrayIcon {
 public:
  void attach(HWND owner, HICON icon) {
    owner_ = owner;
    icon_ = icon;
  }
  // False when the shell refused (no notification area).
  bool setTrayTip(std::u16string_view text);
  void remove();
  bool trayIconAdded() const { return added_; }

 private:
  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  bool added_ = false;
};

}  // namespace tolvane::win32
