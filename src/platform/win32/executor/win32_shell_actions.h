#pragma once
// ShellExecuteW, SHFileOperationW and shell links, owned by the main window.

#include <windows.h>

#include <atomic>

#include "platform/shell_actions.h"

namespace tolvane::win32 {

class Win32ShellActions final : public ShellActions {
 public:
  // Shell windows (progress, errors) are owned by this window; it is set
  // once the main window exists.
  void setOwner(HWND owner) { owner_.store(owner); }

  std::intptr_t execute(std::u16string_view verb, std::u16string_view file, std::u16string_view parameters,
                        std::u16string_view directory) override;
  int fileOperation(const ShellFileOperation& operation) override;
  ShortcutTarget shortcutTarget(std::u16string_view shortcutPath) override;

 private:
  std::atomic<HWND> owner_{nullptr};
};

}  // namespace tolvane::win32
