#include "platform/win32/common/log_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"
#include "protocol/debug_log_format.h"

namespace tolvane::win32 {
namespace {

int ansiLength(const std::wstring& wide, std::size_t count) {
  return WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), nullptr, 0, nullptr, nullptr);
}

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::string ansiLogBytes(std::u16string_view text) {
  const std::wstring wide = toWide(text);
  std::size_t count = std::min(wide.size(), protocol::kLogLineBytes);
  // Code pages with two-byte characters need a shorter cut.
  while (count > 0 && ansiLength(wide, count) > static_cast<int>(protocol::kLogLineBytes)) --count;
  if (count > 0 && count < wide.size() && isHighSurrogate(wide[count - 1])) --count;
  std::string bytes(protocol::kLogLineBytes, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return bytes;
}

std::uint32_t appendLogText(std::u16string_view path, std::u16string_view text) {
  const FileHandle file(CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
  if (!file) return GetLastError();
  const std::string bytes = ansiLogBytes(text);
  SetFilePointer(file.get(), 0, nullptr, FILE_END);
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return 0;
}

}  // namespace tolvane::win32
