#include "platform/win32/executor/win32_clipboard.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

// The text with its terminator in the ANSI code page, in movable global
// memory the clipboard can own; null when it cannot be made.
HGLOBAL ansiCopy(std::u16string_view text) {
  const std::wstring wide = toWide(text);
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size));
  if (!memory) return nullptr;
  auto* bytes = static_cast<char*>(GlobalLock(memory));
  if (!bytes) {
    GlobalFree(memory);
    return nullptr;
  }
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, bytes, size, nullptr, nullptr);
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

ClipboardWriteResult Win32Clipboard::writeText(std::u16string_view text) {
  if (!OpenClipboard(nullptr)) return {ClipboardWrite::NotOpened, GetLastError()};
  EmptyClipboard();
  ClipboardWriteResult result;
  if (HGLOBAL memory = ansiCopy(text); !memory) {
    result = {ClipboardWrite::NoMemory, GetLastError()};
  } else if (!SetClipboardData(CF_TEXT, memory)) {
    result = {ClipboardWrite::NotPlaced, GetLastError()};
    GlobalFree(memory);
  }
  CloseClipboard();
  return result;
}

std::u16string Win32Clipboard::readText() {
  if (!OpenClipboard(nullptr)) return {};
  std::u16string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      const SIZE_T limit = GlobalSize(data);
      const int length = static_cast<int>(strnlen(bytes, limit));
      const int size = MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
      std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
      if (size > 0) MultiByteToWideChar(CP_ACP, 0, bytes, length, wide.data(), size);
      text = fromWide(wide);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void Win32Clipboard::clear() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

}  // namespace tolvane::win32
