#pragma once
// Windows silently removes a low-level keyboard hook that once failed to
// answer in time, and hot keys then stay dead. Checked on the one-second
// timer: input the system saw but the hook did not means the hook is gone.
// Mouse input shows in the same "last input" time, so after a reinstall
// the watchdog waits for the hook to see a key again (or a minute) before
// it reinstalls once more; moving the mouse alone cannot make it reinstall
// every second.

#include <cstdint>

namespace tolvane {

// Input up to this much newer than the hook's last key is not yet taken as
// missed: the two clocks are read at different moments.
constexpr std::uint32_t kHookInputGraceMs = 250;
constexpr std::uint32_t kHookReinstallBackoffMs = 60000;

class HookWatchdog {
 public:
  // The hook was (re)installed at `nowMs`.
  void installed(std::uint32_t nowMs);
  // The hook saw a key at `nowMs`.
  void keySeen(std::uint32_t nowMs);

  // Ticks are the system's 32-bit millisecond counter (wrapping). True when
  // the hook should be reinstalled now; the caller then calls installed().
  bool shouldReinstall(std::uint32_t lastInputMs, std::uint32_t nowMs) const;

 private:
  std::uint32_t lastSeenMs_ = 0;
  std::uint32_t installedMs_ = 0;
  bool provenSinceInstall_ = true;
};

}  // namespace tolvane
