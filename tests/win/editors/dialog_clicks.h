#pragma once
// Clicks of the editors' view tests: a button of a dialog the test created,
// and a button of a modal dialog that an entry point is about to run.

#include <windows.h>

#include "controls/dialog_base/dialog_base.h"

namespace tolvane::win32 {

inline void click(const CDialogBase& dialog, int id) { SendMessageW(dialog.item(id), BM_CLICK, 0, 0); }

// Clicks a button of the dialog with the given caption once it is up.
inline void clickWhenShown(const wchar_t* caption, int id) {
  static const wchar_t* wantedCaption;
  static int wantedId;
  wantedCaption = caption;
  wantedId = id;
  SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", wantedCaption);
    if (!dialog) return;
    KillTimer(nullptr, timer);
    SendMessageW(GetDlgItem(dialog, wantedId), BM_CLICK, 0, 0);
  });
}

}  // namespace tolvane::win32
