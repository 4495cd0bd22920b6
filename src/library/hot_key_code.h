#pragma once
// A key combination as the hot-key control reports it. Packed as
// `modifiers << 16 | virtualKey` in the chore files.

#include <cstdint>

namespace tolvane {

constexpr std::uint16_t kHotKeyShift = 0x01;
constexpr std::uint16_t kHotKeyControl = 0x02;
constexpr std::uint16_t kHotKeyAlt = 0x04;
constexpr std::uint16_t kHotKeyExtended = 0x08;

constexpr std::uint16_t kVirtualKeyRight = 39;

struct HotKeyCode {
  std::uint16_t virtualKey = 0;
  std::uint16_t modifiers = 0;

  bool isSet() const { return virtualKey != 0; }

  std::int32_t packed() const {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(modifiers) << 16) | virtualKey);
  }

  static HotKeyCode fromPacked(std::int64_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint16_t>(bits & 0xFFFF), static_cast<std::uint16_t>(bits >> 16)};
  }

  // The hot-key control's own 16-bit form: both parts taken as bytes.
  std::uint16_t controlValue() const {
    return static_cast<std::uint16_t>(((modifiers & 0xFF) << 8) | (virtualKey & 0xFF));
  }

  friend bool operator==(const HotKeyCode&, const HotKeyCode&) = default;
};

// Ctrl+Shift+Right arrow, whatever else is held, is Tolvane's own: it ends
// the wizard's key capture and is the standard master hot key.
constexpr bool isTolvaneOwnKey(HotKeyCode key) {
  constexpr std::uint16_t kCtrlShift = kHotKeyControl | kHotKeyShift;
  return key.virtualKey == kVirtualKeyRight && (key.modifiers & kCtrlShift) == kCtrlShift;
}

}  // namespace tolvane
