#include "engine/hotkeys/hook_watchdog.h"

#include <gtest/gtest.h>

namespace tolvane::test {
namespace {

TEST(HookWatchdog, InputTheHookMissedAfterItWorkedMeansReinstallOnceUntilItWorksAgain) {
  HookWatchdog watchdog;
  watchdog.installed(1000);
  // Right after start-up, mouse movement alone does not count.
  EXPECT_FALSE(watchdog.shouldReinstall(5000, 5100));
  watchdog.keySeen(6000);
  EXPECT_FALSE(watchdog.shouldReinstall(6000, 6500));
  EXPECT_FALSE(watchdog.shouldReinstall(6200, 6500));  // within the grace
  // The system removed the hook: keys come in that it never saw.
  EXPECT_TRUE(watchdog.shouldReinstall(9000, 9500));
  watchdog.installed(9500);
  // Still unseen input (the mouse, say): no reinstall every second...
  EXPECT_FALSE(watchdog.shouldReinstall(12000, 12100));
  // ...but once a minute at most.
  EXPECT_TRUE(watchdog.shouldReinstall(70000, 70000));
  // The reinstalled hook sees keys again: back to normal.
  watchdog.keySeen(13000);
  EXPECT_FALSE(watchdog.shouldReinstall(13000, 13500));
  EXPECT_TRUE(watchdog.shouldReinstall(16000, 16500));
}

TEST(HookWatchdog, TheTickCounterWrapping) {
  HookWatchdog watchdog;
  watchdog.installed(0xFFFFFF00u);
  watchdog.keySeen(0xFFFFFF00u);
  EXPECT_FALSE(watchdog.shouldReinstall(0xFFFFFF10u, 0x10));
  EXPECT_TRUE(watchdog.shouldReinstall(0x400, 0x500));
}

}  // namespace
}  // namespace tolvane::test
