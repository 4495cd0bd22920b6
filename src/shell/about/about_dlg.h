#pragma once
// "About Tolvane": the program's version and the Explorer companion's, as
// their version resources give them ("%d.%d Build %d"; "*NOT FOUND*" for a
// companion that is not loaded), with an OK button.

#include <windows.h>

#include <string>

#include "controls/dialog_base/dialog_base.h"

namespace tolvane::win32 {

class CAboutDlg final : public CDialogBase {
 public:
  CAboutDlg(HINSTANCE instance, std::u16string programVersion, std::u16string companionVersion);

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::u16string programVersion_;
  std::u16string companionVersion_;
};

// Shows the box over `owner` until the user closes it.
void showAboutBox(HINSTANCE instance, HWND owner);

}  // namespace tolvane::win32
