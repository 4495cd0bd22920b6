#pragma once
// keybd_event typing and the modifier keys' state.

#include "platform/keyboard_input.h"

namespace tolvane::win32 {

class Win32KeyboardInput final : public KeyboardInput {
 public:
  void sendKey(std::uint8_t virtualKey, bool release) override;
  bool anyModifierHeld() override;
};

}  // namespace tolvane::win32
