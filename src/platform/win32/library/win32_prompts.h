#pragma once
// Message boxes owned by the window the user is working in on the calling
// thread (an open dialog, else the program's main window), or by the
// configured owner (or nothing before it exists).

#include <windows.h>

#include "platform/prompts.h"

namespace tolvane::win32 {

class Win32Prompts final : public Prompts {
 public:
  explicit Win32Prompts(HWND owner = nullptr) : owner_(owner) {}
  void setOwner(HWND owner) { owner_ = owner; }

  bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
  bool askRetryCancel(std::u16string_view text, std::u16string_view caption) override;
  void showError(std::u16string_view text, std::u16string_view caption) override;
  void showWarning(std::u16string_view text, std::u16string_view caption) override;

 private:
  HWND owner_;
};

}  // namespace tolvane::win32
