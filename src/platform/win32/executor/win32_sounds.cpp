#include "platform/win32/executor/win32_sounds.h"

#include <mmsystem.h>

namespace tolvane::win32 {

void Win32Sounds::beep() { MessageBeep(0xFFFFFFFF); }

void Win32Sounds::playResource(std::uint16_t resourceId) {
  PlaySoundW(MAKEINTRESOURCEW(resourceId), module_, SND_RESOURCE | SND_ASYNC);
}

}  // namespace tolvane::win32
