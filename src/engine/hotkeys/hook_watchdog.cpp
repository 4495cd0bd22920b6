#include "engine/hotkeys/hook_watchdog.h"

namespace tolvane {

namespace {

// Whether tick a is later than tick b by more than `margin`, across the
// counter's wrap.
bool laterBy(std::uint32_t a, std::uint32_t b, std::uint32_t margin) {
  const auto difference = static_cast<std::int32_t>(a - b);
  return difference > static_cast<std::int32_t>(margin);
}

}  // namespace

void HookWatchdog::installed(std::uint32_t nowMs) {
  installedMs_ = nowMs;
  lastSeenMs_ = nowMs;
  provenSinceInstall_ = false;
}

void HookWatchdog::keySeen(std::uint32_t nowMs) {
  lastSeenMs_ = nowMs;
  provenSinceInstall_ = true;
}

bool HookWatchdog::shouldReinstall(std::uint32_t lastInputMs, std::uint32_t nowMs) const {
  if (!laterBy(lastInputMs, lastSeenMs_, kHookInputGraceMs)) return false;
  return provenSinceInstall_ || laterBy(nowMs, installedMs_, kHookReinstallBackoffMs);
}

}  // namespace tolvane
