#include "platform/win32/library/win32_prompts.h"

#include "platform/win32/common/wide.h"

namespace tolvane::win32 {

bool Win32Prompts::askYesNo(std::u16string_view text, std::u16string_view caption) {
  return MessageBoxW(owner_, toWide(text).c_str(), toWide(caption).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32Prompts::showError(std::u16string_view text, std::u16string_view caption) {
  MessageBoxW(owner_, toWide(text).c_str(), toWide(caption).c_str(), MB_OK | MB_ICONERROR);
}

void Win32Prompts::showWarning(std::u16string_view text, std::u16string_view caption) {
  MessageBoxW(owner_, toWide(text).c_str(), toWide(caption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tolvane::win32
