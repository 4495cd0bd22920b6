#pragma once
// MessageBeep and the program's own wave resources.

#include <windows.h>

#include "platform/sounds.h"

namespace tolvane::win32 {

class Win32Sounds final : public Sounds {
 public:
  // The module that carries the wave resources (the program itself).
  explicit Win32Sounds(HMODULE module = GetModuleHandleW(nullptr)) : module_(module) {}

  void beep() override;
  void playResource(std::uint16_t resourceId) override;

 private:
  HMODULE module_;
};

}  // namespace tolvane::win32
