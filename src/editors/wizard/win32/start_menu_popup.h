#pragma once
// The Start Menu's programs as a popup menu under a button.

#include <windows.h>

#include "editors/wizard/start_menu.h"

namespace tolvane::win32 {

class StartMenuPopup {
 public:
  explicit StartMenuPopup(StartMenu menu);
  ~StartMenuPopup();
  StartMenuPopup(const StartMenuPopup&) = delete;
  StartMenuPopup& operator=(const StartMenuPopup&) = delete;

  // Shows the menu below the button and waits for the user; the chosen
  // program, or null.
  const StartMenuItem* choose(HWND owner, HWND button) const;

 private:
  StartMenu menu_;
  HMENU popup_;
};

}  // namespace tolvane::win32
