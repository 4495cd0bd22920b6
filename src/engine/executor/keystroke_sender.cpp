#include "engine/executor/keystroke_sender.h"

namespace tolvane {

void waitForModifierRelease(KeyboardInput& keyboard, Sync& sync) {
  for (std::uint32_t waited = 0; keyboard.anyModifierHeld() && waited < kModifierReleaseWaitMs;
       waited += kModifierReleasePollMs)
    sync.sleep(kModifierReleasePollMs);
}

void sendKeystrokes(KeyboardInput& keyboard, std::atomic<bool>& hotKeyProcessingEnabled, HotKeyCode key,
                    std::uint32_t repeat, bool hitEnter) {
  const bool wasEnabled = hotKeyProcessingEnabled.exchange(false);
  const auto virtualKey = static_cast<std::uint8_t>(key.virtualKey & 0xFF);
  const bool alt = key.modifiers & kHotKeyAlt;
  const bool ctrl = key.modifiers & kHotKeyControl;
  const bool shift = key.modifiers & kHotKeyShift;
  for (std::uint32_t i = 0; i < repeat; ++i) {
    if (alt) keyboard.sendKey(kVirtualKeyMenu, false);
    if (ctrl) keyboard.sendKey(kVirtualKeyControl, false);
    if (shift) keyboard.sendKey(kVirtualKeyShift, false);
    keyboard.sendKey(virtualKey, false);
    keyboard.sendKey(virtualKey, true);
    if (shift) keyboard.sendKey(kVirtualKeyShift, true);
    if (ctrl) keyboard.sendKey(kVirtualKeyControl, true);
    if (alt) keyboard.sendKey(kVirtualKeyMenu, true);
  }
  if (hitEnter) {
    keyboard.sendKey(kVirtualKeyReturn, false);
    keyboard.sendKey(kVirtualKeyReturn, true);
  }
  hotKeyProcessingEnabled.store(wasEnabled);
}

}  // namespace tolvane
