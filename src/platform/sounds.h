#pragma once
// The program's sounds: the system's default beep for a chore that was not
// done, and its own wave resources for switching hot keys on and off.

#include <cstdint>

namespace tolvane {

constexpr std::uint16_t kSoundHotKeysOn = 154;
constexpr std::uint16_t kSoundHotKeysOff = 158;

class Sounds {
 public:
  virtual ~Sounds() = default;

  virtual void beep() = 0;
  // Starts one of the program's wave resources and returns at once.
  virtual void playResource(std::uint16_t resourceId) = 0;
};

}  // namespace tolvane
