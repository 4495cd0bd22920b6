#pragma once
// The menu/button picker (dialog 148, "Select a menu/button"): the user
// points at another program's window and chooses a window operation, a
// menu command or a button.

#include <windows.h>

#include <optional>

#include "editors/editor_context.h"
#include "editors/picker/picker_mode.h"
#include "library/chore.h"

namespace tolvane::win32 {

// Runs the picker modally on a copy of `chore`. On OK returns the working
// chore; the caller copies the fields it needs from it: wndMsg, procName,
// mainWndTxt, mainWndCls, partialMatch (stepPartialMatch in window-selection
// mode), ctrlWndTxt, ctrlWndCls, notifyCode, menuID, menuOption, menuSimKey,
// keyRepeat, hitEnter and winPos. Every other field is the given chore's.
// Nothing on Cancel.
std::optional<Chore> pickWindowTarget(HWND parent, const EditorContext& context, const Chore& chore,
                                      PickerMode mode);

}  // namespace tolvane::win32
