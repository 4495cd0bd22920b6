#pragma once
// A clipboard in a test; it can be made to refuse opening.

#include <string>

#include "platform/clipboard.h"

namespace tolvane::test {

class FakeClipboard : public Clipboard {
 public:
  std::u16string text;
  bool refuseOpen = false;
  int writes = 0;

  bool writeText(std::u16string_view newText) override {
    if (refuseOpen) return false;
    ++writes;
    text = newText;
    return true;
  }
  std::u16string readText() override { return refuseOpen ? std::u16string() : text; }
  void clear() override {
    if (!refuseOpen) text.clear();
  }
};

}  // namespace tolvane::test
