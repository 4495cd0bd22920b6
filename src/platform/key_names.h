#pragma once
// Display names of key combinations ("Ctrl + Alt + K"), as tooltips and
// the hot-key view show them.

#include <cstdint>
#include <string>

namespace tolvane {

class KeyNames {
 public:
  virtual ~KeyNames() = default;

  // `hotKeyControlValue` is the hot-key control's own 16-bit form:
  // modifiers (HOTKEYF_*) in the high byte, the virtual key in the low byte.
  virtual std::u16string keyName(std::uint16_t hotKeyControlValue) = 0;
};

// The names a US-English hot-key control shows, built without asking the
// system: the modifiers in the order Ctrl, Shift, Alt, then the key, joined
// by " + ". Empty for virtual key 0.
std::u16string portableKeyName(std::uint16_t hotKeyControlValue);

// Those names where there is no system to ask (tolvanectl on Linux).
class PortableKeyNames final : public KeyNames {
 public:
  std::u16string keyName(std::uint16_t hotKeyControlValue) override { return portableKeyName(hotKeyControlValue); }
};

}  // namespace tolvane
