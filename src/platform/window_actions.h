#pragma once
// Acting on another program's window: posting it a command, restoring,
// moving and sizing it, and asking which window is in front.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/window_info.h"

namespace tolvane {

// A window's outer rectangle in screen coordinates: physical pixels of the
// whole desktop, negative on a monitor left of or above the main one.
struct ScreenRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool operator==(const ScreenRect&) const = default;
};

class WindowActions {
 public:
  virtual ~WindowActions() = default;

  // Posts a message and returns at once; false when the window is gone.
  virtual bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;

  virtual bool isMinimized(WindowHandle window) = 0;

  // Restores a minimised window and waits until it has handled the request.
  virtual void restore(WindowHandle window) = 0;

  // Puts the window at the top of the Z order, shown, with the given outer
  // rectangle.
  virtual bool place(WindowHandle window, std::int32_t left, std::int32_t top, std::int32_t width,
                     std::int32_t height) = 0;

  virtual WindowHandle foregroundWindow() = 0;
  // Title of the window in front (at most 260 characters); empty if none.
  virtual std::u16string foregroundWindowText() = 0;

  // The outer rectangle that place() would give the window back; nothing
  // when the window is gone.
  virtual std::optional<ScreenRect> windowRect(WindowHandle window) = 0;
};

// Window messages the chores post.
constexpr std::uint32_t kMessageSysCommand = 0x0112;  // WM_SYSCOMMAND

}  // namespace tolvane
