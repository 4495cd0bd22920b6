#pragma once
// The clipboard as CF_TEXT in the system's ANSI code page.

#include "platform/clipboard.h"

namespace tolvane::win32 {

class Win32Clipboard final : public Clipboard {
 public:
  ClipboardWriteResult writeText(std::u16string_view text) override;
  std::u16string readText() override;
  void clear() override;
};

}  // namespace tolvane::win32
