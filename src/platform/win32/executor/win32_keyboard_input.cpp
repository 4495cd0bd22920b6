#include "platform/win32/executor/win32_keyboard_input.h"

#include <windows.h>

namespace tolvane::win32 {

namespace {

// Every synthetic event carries this scan code and the extended-key flag.
constexpr BYTE kSyntheticScanCode = 0x45;

bool isDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

void Win32KeyboardInput::sendKey(std::uint8_t virtualKey, bool release) {
  keybd_event(virtualKey, kSyntheticScanCode, KEYEVENTF_EXTENDEDKEY | (release ? KEYEVENTF_KEYUP : 0), 0);
}

bool Win32KeyboardInput::anyModifierHeld() {
  return isDown(VK_CONTROL) || isDown(VK_MENU) || isDown(VK_SHIFT) || isDown(VK_LWIN) || isDown(VK_RWIN);
}

}  // namespace tolvane::win32
