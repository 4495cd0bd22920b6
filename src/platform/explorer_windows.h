#pragma once
// What keeping an Explorer window for the companion needs from the system:
// the Explorer windows with their placements, closing and starting them,
// and waiting.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_info.h"

namespace tolvane {

// A window's show state and its minimised, maximised and normal positions,
// kept so that a reopened window can be put back where it was.
struct WindowPlacement {
  std::uint32_t flags = 0;
  std::uint32_t showCommand = 0;
  std::int32_t minX = 0, minY = 0;
  std::int32_t maxX = 0, maxY = 0;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;

  bool operator==(const WindowPlacement&) const = default;
};

struct ExplorerWindowRecord {
  WindowHandle window = 0;
  std::u16string title;
  WindowPlacement placement;
};

using ExplorerWindowList = std::vector<ExplorerWindowRecord>;

class ExplorerWindows {
 public:
  virtual ~ExplorerWindows() = default;

  // Every top-level window whose class is exactly `className`, in
  // enumeration order, with its title and placement.
  virtual ExplorerWindowList windowsOfClass(std::u16string_view className) = 0;

  virtual std::u16string windowTitle(WindowHandle window) = 0;
  virtual void setPlacement(WindowHandle window, const WindowPlacement& placement) = 0;

  // Asks the window to close as its system menu would, and waits for it to
  // be gone (a hung window for a few seconds at most).
  virtual void closeWindow(WindowHandle window) = 0;

  // Starts a program by its command line without waiting for it; returns 0
  // or the platform's error code.
  virtual std::uint32_t startProgram(std::u16string_view commandLine) = 0;

  virtual void sleep(std::uint32_t milliseconds) = 0;
  // Monotonic milliseconds, for measuring waits.
  virtual std::uint64_t tickMs() = 0;
  virtual bool bringToForeground(WindowHandle window) = 0;
};

}  // namespace tolvane
