#include "shell/running/platform_runner_services.h"

#include "engine/targeting/window_matching.h"

namespace tolvane::win32 {

bool PlatformRunnerServices::windowExists(std::u16string_view title, bool partialMatch, bool activate) {
  return tolvane::windowExists(p_.desktop, title, partialMatch, activate);
}

}  // namespace tolvane::win32
