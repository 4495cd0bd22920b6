#pragma once
// A clipboard in a test; it can be made to fail a write.

#include <string>

#include "platform/clipboard.h"

namespace tolvane::test {

class FakeClipboard : public Clipboard {
 public:
  std::u16string text;
  bool refuseOpen = false;
  ClipboardWriteResult failWrite{};  // a write that opened but failed
  int writes = 0;

  ClipboardWriteResult writeText(std::u16string_view newText) override {
    if (refuseOpen) return {ClipboardWrite::NotOpened, 5};
    text.clear();
    if (failWrite.outcome != ClipboardWrite::Written) return failWrite;
    ++writes;
    text = newText;
    return {};
  }
  std::u16string readText() override { return refuseOpen ? std::u16string() : text; }
  void clear() override {
    if (!refuseOpen) text.clear();
  }
};

}  // namespace tolvane::test
