#pragma once
// List, combo and edit boxes that show the whole text of an item cut short
// by the control's width in a tooltip laid over it, while the mouse rests
// there. One call per control, after the dialog has created it:
//
//   attachTruncatedTips(item(IDC_SOURCES));
//
// A combo box gets the tip on its field, its edit and its drop-down list.
// The tips go with the control.

#include <windows.h>

#include <optional>
#include <string>

namespace tolvane::win32 {

void attachTruncatedTips(HWND control);

// The whole text at a point of the control (client coordinates) and the
// client rectangle it is shown in, when the text does not fit there.
struct TruncatedText {
  std::u16string text;
  RECT area{};
};
std::optional<TruncatedText> truncatedTextAt(HWND control, POINT point);

// The tooltip of a control that has tips attached; null otherwise.
HWND truncatedTipWindow(HWND control);

}  // namespace tolvane::win32
