#include "platform/win32/library/win32_prompts.h"

#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

// A box asked for while one of our dialogs is open belongs to that dialog:
// owned by the main window, it would leave the dialog clickable under it.
// Worker threads have no active window and keep the configured owner.
HWND ownerFor(HWND configured) {
  HWND active = GetActiveWindow();
  return active ? active : configured;
}

}  // namespace

bool Win32Prompts::askYesNo(std::u16string_view text, std::u16string_view caption) {
  return MessageBoxW(ownerFor(owner_), toWide(text).c_str(), toWide(caption).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool Win32Prompts::askRetryCancel(std::u16string_view text, std::u16string_view caption) {
  return MessageBoxW(ownerFor(owner_), toWide(text).c_str(), toWide(caption).c_str(),
                     MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
}

void Win32Prompts::showError(std::u16string_view text, std::u16string_view caption) {
  MessageBoxW(ownerFor(owner_), toWide(text).c_str(), toWide(caption).c_str(), MB_OK | MB_ICONERROR);
}

void Win32Prompts::showWarning(std::u16string_view text, std::u16string_view caption) {
  MessageBoxW(ownerFor(owner_), toWide(text).c_str(), toWide(caption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tolvane::win32
