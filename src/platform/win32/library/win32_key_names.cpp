#include "platform/win32/library/win32_key_names.h"

#include <commctrl.h>

#include "win32_common/wide.h"

namespace tolvane::win32 {

Win32KeyNames::Win32KeyNames() {
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&init);
  control_ = CreateWindowExW(0, HOTKEY_CLASSW, L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

Win32KeyNames::~Win32KeyNames() {
  if (control_ != nullptr) DestroyWindow(control_);
}

std::u16string Win32KeyNames::controlText(std::uint16_t hotKeyControlValue) {
  if (control_ == nullptr) return {};
  SendMessageW(control_, HKM_SETHOTKEY, hotKeyControlValue, 0);
  wchar_t text[128] = {};
  GetWindowTextW(control_, text, static_cast<int>(std::size(text)));
  return fromWide(text);
}

std::u16string Win32KeyNames::keyName(std::uint16_t hotKeyControlValue) {
  if ((hotKeyControlValue & 0xFF) == 0) return {};
  std::u16string text = controlText(hotKeyControlValue);
  if (text.empty()) return portableKeyName(hotKeyControlValue);
  return text;
}

}  // namespace tolvane::win32
