#pragma once
// Key display names from the system's hot-key control, so that they read
// as the hot-key fields of the editors show them (in the user's language).
// Use from the thread that created the object: the control is a window.

#include <windows.h>

#include "platform/key_names.h"

namespace tolvane::win32 {

class Win32KeyNames final : public KeyNames {
 public:
  Win32KeyNames();
  ~Win32KeyNames() override;
  Win32KeyNames(const Win32KeyNames&) = delete;
  Win32KeyNames& operator=(const Win32KeyNames&) = delete;

  // The control's text; the portable names when it gives none (Wine's
  // control never does) or could not be created.
  std::u16string keyName(std::uint16_t hotKeyControlValue) override;

  // The control's own text, empty when it gives none.
  std::u16string controlText(std::uint16_t hotKeyControlValue);

 private:
  HWND control_ = nullptr;
};

}  // namespace tolvane::win32
