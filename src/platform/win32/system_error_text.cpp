#include "platform/win32/system_error_text.h"

#include <windows.h>

#include "win32_common/wide.h"

namespace tolvane::win32 {

std::u16string systemErrorText(std::uint32_t code) {
  wchar_t buffer[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return fromWide(text);
}

}  // namespace tolvane::win32
