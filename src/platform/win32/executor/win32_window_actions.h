#pragma once
// Posting to, restoring and placing other programs' windows.

#include "platform/window_actions.h"

namespace tolvane::win32 {

class Win32WindowActions final : public WindowActions {
 public:
  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  bool isMinimized(WindowHandle window) override;
  void restore(WindowHandle window) override;
  bool place(WindowHandle window, std::int32_t left, std::int32_t top, std::int32_t width,
             std::int32_t height) override;
  WindowHandle foregroundWindow() override;
  std::u16string foregroundWindowText() override;
  std::optional<ScreenRect> windowRect(WindowHandle window) override;
};

}  // namespace tolvane::win32
