#pragma once
// The real desktop and processes behind the portable targeting interfaces.

#include "platform/desktop.h"
#include "platform/processes.h"

namespace tolvane::win32 {

class Win32Desktop : public Desktop {
 public:
  WindowInfoList mainWindows() override;
  WindowInfoList childWindows(WindowHandle parent) override;
  bool bringToForeground(WindowHandle window) override;
  std::optional<std::vector<ClassicMenuItem>> classicMenu(WindowHandle window) override;
};

class Win32Processes : public Processes {
 public:
  bool isProcessRunning(std::u16string_view namePart) override;
};

}  // namespace tolvane::win32
