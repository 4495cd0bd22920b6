#pragma once
// A keyboard in a test: records the synthetic key events; the user lets go
// of the modifiers after a number of polls.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/keyboard_input.h"

namespace tolvane::test {

class FakeKeyboardInput : public KeyboardInput {
 public:
  struct KeyEvent {
    std::uint8_t virtualKey;
    bool release;
    bool operator==(const KeyEvent&) const = default;
  };
  std::vector<KeyEvent> events;
  int modifierPollsHeld = 0;  // polls that still report a modifier held
  int modifierPolls = 0;
  // Called with every event sent, e.g. to look at shared flags meanwhile.
  std::function<void()> onSend;

  void sendKey(std::uint8_t virtualKey, bool release) override {
    events.push_back({virtualKey, release});
    if (onSend) onSend();
  }
  bool anyModifierHeld() override { return modifierPolls++ < modifierPollsHeld; }
};

}  // namespace tolvane::test
