#pragma once
// Explorer windows, placements and program starts on the real desktop.

#include "platform/explorer_windows.h"

namespace tolvane::win32 {

class Win32ExplorerWindows : public ExplorerWindows {
 public:
  ExplorerWindowList windowsOfClass(std::u16string_view className) override;
  std::u16string windowTitle(WindowHandle window) override;
  void setPlacement(WindowHandle window, const WindowPlacement& placement) override;
  void closeWindow(WindowHandle window) override;
  std::uint32_t startProgram(std::u16string_view commandLine) override;
  void sleep(std::uint32_t milliseconds) override;
  std::uint64_t tickMs() override;
  bool bringToForeground(WindowHandle window) override;
};

}  // namespace tolvane::win32
