#include "shell/running/platform_runner_services.h"

#include "engine/targeting/window_matching.h"
#include "platform/key_names.h"

namespace tolvane::win32 {

bool PlatformRunnerServices::windowExists(std::u16string_view title, bool partialMatch, bool activate) {
  return tolvane::windowExists(p_.desktop, title, partialMatch, activate);
}

std::u16string PlatformRunnerServices::hotKeyText(HotKeyCode key) { return portableKeyName(key.controlValue()); }

}  // namespace tolvane::win32
