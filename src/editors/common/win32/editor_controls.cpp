#include "editors/common/win32/editor_controls.h"

#include <commctrl.h>

namespace tolvane::win32 {

void showRefusal(const CDialogBase& dialog, Prompts& prompts, const Refusal& refusal) {
  if (!refusal.message.empty()) prompts.showWarning(refusal.message, kEditorCaption);
  if (refusal.clearsControl) setHotKey(dialog.item(refusal.focusId), {});
  if (!refusal.cue.empty()) dialog.setText(refusal.focusId, refusal.cue);
  dialog.focusAndSelect(refusal.focusId);
  if (refusal.dropsDown) SendMessageW(dialog.item(refusal.focusId), CB_SHOWDROPDOWN, TRUE, 0);
}

HotKeyCode hotKeyOf(HWND control) {
  const auto value = static_cast<WORD>(SendMessageW(control, HKM_GETHOTKEY, 0, 0));
  return {LOBYTE(value), HIBYTE(value)};
}

void setHotKey(HWND control, HotKeyCode key) { SendMessageW(control, HKM_SETHOTKEY, key.controlValue(), 0); }

void requireModifier(HWND control) { SendMessageW(control, HKM_SETRULES, HKCOMB_NONE, MAKELPARAM(HOTKEYF_CONTROL, 0)); }

}  // namespace tolvane::win32
