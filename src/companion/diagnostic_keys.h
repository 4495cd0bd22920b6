#pragma once
// The keystroke that opens the diagnostic box in a browser window:
// Ctrl+Alt+D on its first key-down, never on auto-repeat or key-up.

#include <cstdint>

namespace tolvane::companion {

inline bool isDiagnosticKeystroke(std::uintptr_t virtualKey, std::uint32_t keyData, bool ctrlDown) {
  const std::uint32_t kPreviousStateAndTransition = (1u << 30) | (1u << 31);
  const std::uint32_t kAltDown = 1u << 29;
  return (keyData & kPreviousStateAndTransition) == 0 && virtualKey == 0x44 && (keyData & kAltDown) != 0 && ctrlDown;
}

}  // namespace tolvane::companion
