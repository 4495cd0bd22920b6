#pragma once
// What the editors' dialogs share beyond the dialog base: showing a
// refusal of their model, hot-key controls read and written as HotKeyCode,
// and message boxes owned by the dialog itself.

#include <windows.h>

#include "controls/dialog_base/dialog_base.h"
#include "editors/refusal.h"
#include "library/hot_key_code.h"
#include "platform/prompts.h"
#include "platform/win32/library/win32_prompts.h"

namespace tolvane::win32 {

// The message (a warning captioned "Tolvane"), then the control emptied
// or given its prompt, focused with its text selected, and dropped down.
void showRefusal(const CDialogBase& dialog, Prompts& prompts, const Refusal& refusal);

HotKeyCode hotKeyOf(HWND control);
void setHotKey(HWND control, HotKeyCode key);
// A key pressed without a modifier gets Ctrl.
void requireModifier(HWND control);

// An editor's message boxes: owned by its dialog, so that the dialog stays
// disabled under them and comes back to the front; tests put their own in.
class EditorPrompts {
 public:
  explicit EditorPrompts(Prompts* injected) : injected_(injected) {}
  void attach(HWND dialog) { own_.setOwner(dialog); }
  Prompts& get() { return injected_ ? *injected_ : own_; }

 private:
  Prompts* injected_;
  Win32Prompts own_;
};

}  // namespace tolvane::win32
