#pragma once
// What the editors' dialogs share beyond the dialog base: showing a
// refusal of their model, and hot-key controls read and written as
// HotKeyCode.

#include <windows.h>

#include "controls/dialog_base/dialog_base.h"
#include "editors/refusal.h"
#include "library/hot_key_code.h"
#include "platform/prompts.h"

namespace tolvane::win32 {

// The message (a warning captioned "Tolvane"), then the control emptied
// or given its prompt, focused with its text selected, and dropped down.
void showRefusal(const CDialogBase& dialog, Prompts& prompts, const Refusal& refusal);

HotKeyCode hotKeyOf(HWND control);
void setHotKey(HWND control, HotKeyCode key);
// A key pressed without a modifier gets Ctrl.
void requireModifier(HWND control);

}  // namespace tolvane::win32
