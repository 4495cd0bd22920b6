#pragma once
// Typing into whatever window has the keyboard, and the state of the
// modifier keys the user holds.

#include <cstdint>

namespace tolvane {

class KeyboardInput {
 public:
  virtual ~KeyboardInput() = default;

  // One synthetic key event for a virtual-key code (only its low byte).
  virtual void sendKey(std::uint8_t virtualKey, bool release) = 0;

  // Whether Ctrl, Alt, Shift or a Windows key is held right now.
  virtual bool anyModifierHeld() = 0;
};

// Virtual keys the keystroke chores press around the chore's own key.
constexpr std::uint8_t kVirtualKeyShift = 0x10;
constexpr std::uint8_t kVirtualKeyControl = 0x11;
constexpr std::uint8_t kVirtualKeyMenu = 0x12;  // Alt
constexpr std::uint8_t kVirtualKeyReturn = 0x0D;

}  // namespace tolvane
