#pragma once
// Types a keystroke chore's key into the window in front.

#include <atomic>
#include <cstdint>

#include "library/hot_key_code.h"
#include "platform/keyboard_input.h"
#include "platform/sync.h"

namespace tolvane {

// Longest wait for the user to let go of the hot key's modifiers, and the
// step it is polled in.
constexpr std::uint32_t kModifierReleaseWaitMs = 1000;
constexpr std::uint32_t kModifierReleasePollMs = 20;

// A chore started by a hot key runs while the user may still hold Ctrl or
// Alt, which the target would see mixed into the typed keys; waits up to a
// second for every modifier to be released.
void waitForModifierRelease(KeyboardInput& keyboard, Sync& sync);

// Presses the key `repeat` times with its modifiers (Alt, Ctrl, Shift down;
// the key; Shift, Ctrl, Alt up), then Enter once when asked. Hot-key
// processing is off meanwhile, so the typed keys never start a chore.
void sendKeystrokes(KeyboardInput& keyboard, std::atomic<bool>& hotKeyProcessingEnabled, HotKeyCode key,
                    std::uint32_t repeat, bool hitEnter);

}  // namespace tolvane
