#include "editors/common/win32/editor_controls.h"

#include <commctrl.h>

namespace tolvane::win32 {

namespace {

SYSTEMTIME toSystemTime(const LocalTime& local) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(local.year);
  time.wMonth = static_cast<WORD>(local.month);
  time.wDay = static_cast<WORD>(local.day);
  time.wDayOfWeek = static_cast<WORD>(local.dayOfWeek);
  time.wHour = static_cast<WORD>(local.hour);
  time.wMinute = static_cast<WORD>(local.minute);
  time.wSecond = static_cast<WORD>(local.second);
  return time;
}

LocalTime fromSystemTime(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wDayOfWeek, 0};
}

}  // namespace

void showRefusalOn(const CDialogBase& dialog, Prompts& prompts, const Refusal& refusal, int controlId) {
  if (!refusal.message.empty()) {
    if (refusal.error) {
      prompts.showError(refusal.message, kEditorCaption);
    } else {
      prompts.showWarning(refusal.message, kEditorCaption);
    }
  }
  if (controlId == 0) return;
  if (refusal.followUp == RefusalFollowUp::ClearControl) setHotKey(dialog.item(controlId), {});
  if (refusal.followUp == RefusalFollowUp::PutCue) dialog.setText(controlId, refusal.cue);
  dialog.focusAndSelect(controlId);
  if (refusal.followUp == RefusalFollowUp::DropDown) SendMessageW(dialog.item(controlId), CB_SHOWDROPDOWN, TRUE, 0);
}

HotKeyCode hotKeyOf(HWND control) {
  const auto value = static_cast<WORD>(SendMessageW(control, HKM_GETHOTKEY, 0, 0));
  return {LOBYTE(value), HIBYTE(value)};
}

void setHotKey(HWND control, HotKeyCode key) { SendMessageW(control, HKM_SETHOTKEY, key.controlValue(), 0); }

void requireModifier(HWND control) { SendMessageW(control, HKM_SETRULES, HKCOMB_NONE, MAKELPARAM(HOTKEYF_CONTROL, 0)); }

void setPickerTime(HWND picker, const std::optional<LocalTime>& value) {
  // Wine ignores GDT_NONE without a time to go with it.
  SYSTEMTIME time{};
  GetLocalTime(&time);
  if (value) time = toSystemTime(*value);
  SendMessageW(picker, DTM_SETSYSTEMTIME, value ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(&time));
}

std::optional<LocalTime> pickerTime(HWND picker) {
  SYSTEMTIME time{};
  if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return std::nullopt;
  return fromSystemTime(time);
}

}  // namespace tolvane::win32
