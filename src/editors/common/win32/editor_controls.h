#pragma once
// What the editors' dialogs share beyond the dialog base: showing a
// refusal of their model on a control, hot-key controls read and written
// as HotKeyCode, and date-time pickers as local times. Views reach these
// through their binding table (form_binding.h).

#include <windows.h>

#include <optional>

#include "controls/dialog_base/dialog_base.h"
#include "editors/refusal.h"
#include "library/hot_key_code.h"
#include "platform/clock.h"
#include "platform/prompts.h"

namespace tolvane::win32 {

// The message (an error or a warning box captioned "Tolvane"), then the
// control (none: 0) emptied or given its prompt, focused with its text
// selected, and dropped down.
void showRefusalOn(const CDialogBase& dialog, Prompts& prompts, const Refusal& refusal, int controlId);

HotKeyCode hotKeyOf(HWND control);
void setHotKey(HWND control, HotKeyCode key);
// A key pressed without a modifier gets Ctrl.
void requireModifier(HWND control);

// A date-time picker with its own check box: none clears the box.
void setPickerTime(HWND picker, const std::optional<LocalTime>& value);
std::optional<LocalTime> pickerTime(HWND picker);

}  // namespace tolvane::win32
