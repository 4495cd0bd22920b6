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
  int reads = 0;
  int clears = 0;

  bool writeText(std::u16string_view newText) override {
    if (refuseOpen) return false;
    ++writes;
    text = newText;
    return true;
  }

  std::u16string readText() override {
    ++reads;
    return refuseOpen ? std::u16string() : text;
  }

  bool clear() override {
    if (refuseOpen) return false;
    ++clears;
    text.clear();
    return true;
  }
};

}  // namespace tolvane::test
