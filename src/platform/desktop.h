#pragma once
// Finding other programs' windows and bringing one to the front.

#include <optional>
#include <string>
#include <vector>

#include "platform/window_info.h"

namespace tolvane {

// One item of a classic menu bar as read from the window: its text, its
// command id and its submenu.
struct ClassicMenuItem {
  std::u16string text;
  std::uint32_t commandId = 0;
  std::vector<ClassicMenuItem> submenu;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Every titled main window of every process that could be opened, in
  // process order and, within a process, in Z order.
  virtual WindowInfoList mainWindows() = 0;

  // Every titled descendant of a window, with its control id.
  virtual WindowInfoList childWindows(WindowHandle parent) = 0;

  // Brings the window (or its last active pop-up) to the front, restoring
  // it when minimised; returns whether the system accepted it.
  virtual bool bringToForeground(WindowHandle window) = 0;

  // The window's classic menu bar, or nothing when it has none (or it
  // cannot be read).
  virtual std::optional<std::vector<ClassicMenuItem>> classicMenu(WindowHandle window) = 0;
};

}  // namespace tolvane
