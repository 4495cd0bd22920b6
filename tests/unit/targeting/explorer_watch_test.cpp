#include "engine/explorer_watch/explorer_watch.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/fake_desktop.h"

namespace tolvane {
namespace {

using test::FakeExplorerWindows;
using test::RecordingLog;

constexpr WindowHandle kMainWindow = 0x42;

TEST(ExplorerWatch, NoExplorerOpenStartsOneWaitsForItAndClosesItAtExit) {
  FakeExplorerWindows system;
  RecordingLog log;
  ExplorerWatch watch(system, log, {});
  system.open(u"Plain folder", {}, u"CabinetWClass");

  watch.startAtLaunch(kMainWindow, u"");
  EXPECT_EQ(system.started, std::vector<std::u16string>{u"Explorer.exe"});
  EXPECT_TRUE(watch.startedExplorer());
  // Three polls until the window shows at 300 ms, 200 ms to settle, 300 ms
  // in bringing the main window back.
  EXPECT_EQ(system.nowMs, 300u + 200u + 300u);
  EXPECT_EQ(system.broughtToFront, std::vector<WindowHandle>{kMainWindow});

  system.open(u"Opened by the user later");
  watch.closeStartedExplorers();
  EXPECT_EQ(system.closed.size(), 2u);
  EXPECT_EQ(system.windows.size(), 1u) << "other classes are left alone";
  EXPECT_FALSE(watch.startedExplorer());
  watch.closeStartedExplorers();
  EXPECT_EQ(system.closed.size(), 2u) << "closing happens once";
}

TEST(ExplorerWatch, LastFolderIsOpenedAndAFailedStartIsLoggedAndWaitedOut) {
  FakeExplorerWindows system;
  RecordingLog log;
  ExplorerWatch watch(system, log, {});
  EXPECT_EQ(watch.startWatch(kMainWindow, u"C:\\Work"), 0u);
  EXPECT_EQ(system.started, std::vector<std::u16string>{u"Explorer.exe /e,C:\\Work"});

  FakeExplorerWindows failing;
  failing.failStartWith = 5;
  ExplorerWatch broken(failing, log, {});
  broken.startAtLaunch(kMainWindow, u"");
  ASSERT_EQ(log.activityLines.size(), 1u);
  EXPECT_EQ(log.activityLines[0].text, u"CreateProcess error in OnBnClickStartWatch; code= 00000005");
  EXPECT_TRUE(log.activityLines[0].isError);
  EXPECT_EQ(log.debugLines, std::vector<std::u16string>{u"CreateProcess error in OnBnClickStartWatch; code=00000005"});
  EXPECT_EQ(failing.nowMs, 3000u + 200u + 300u);
  EXPECT_TRUE(broken.startedExplorer());
}

TEST(ExplorerWatch, OpenWindowsAreReopenedOnTheirTitlesWithTheirPlacements) {
  FakeExplorerWindows system;
  RecordingLog log;
  ExplorerWatch watch(system, log, [] { return false; });
  const WindowPlacement docs{0, 1, 0, 0, 0, 0, 10, 20, 400, 300};
  const WindowPlacement control{0, 3, 0, 0, 0, 0, 50, 60, 700, 500};
  const WindowHandle first = system.open(u"C:\\Docs", docs);
  const WindowHandle second = system.open(u"Control Panel", control);

  watch.startAtLaunch(kMainWindow, u"C:\\Ignored");
  EXPECT_FALSE(watch.startedExplorer());
  EXPECT_EQ(system.closed, (std::vector<WindowHandle>{first, second}));
  EXPECT_EQ(system.started, (std::vector<std::u16string>{u"Explorer.exe /e,C:\\Docs", u"Explorer.exe /e,Control Panel"}));
  ASSERT_EQ(system.windows.size(), 2u);
  EXPECT_EQ(system.placementsSet.at(system.windows[0].record.window), docs);
  EXPECT_EQ(system.placementsSet.at(system.windows[1].record.window), control);
  EXPECT_EQ(system.nowMs, 300u + 2 * 200u + 300u);
  EXPECT_TRUE(log.activityLines.empty());
}

TEST(ExplorerWatch, ReopeningStopsAtTheFirstFailureAndMissingWindowsSkipPlacements) {
  FakeExplorerWindows system;
  RecordingLog log;
  ExplorerWatch watch(system, log, {});
  system.open(u"A");
  system.open(u"B");
  system.failStartWith = 2;
  system.failStartAfter = 1;
  EXPECT_EQ(watch.startWatch(kMainWindow, u""), 2u);
  EXPECT_EQ(system.started, std::vector<std::u16string>{u"Explorer.exe /e,A"});
  ASSERT_EQ(log.activityLines.size(), 1u);
  EXPECT_EQ(log.activityLines[0].text, u"CreateProcess error in recycleExplorer; code= 00000002");

  FakeExplorerWindows slow;
  RecordingLog slowLog;
  ExplorerWatch slowWatch(slow, slowLog, {});
  slow.open(u"A");
  slow.appearAfterMs = 10000;
  slowWatch.startWatch(kMainWindow, u"");
  ASSERT_EQ(slowLog.activityLines.size(), 1u);
  EXPECT_EQ(slowLog.activityLines[0].text, u"Waiting for Explorers in recycleExplorer(); waitTime= 00000bb8");
  EXPECT_TRUE(slow.placementsSet.empty());
}

TEST(ExplorerWatch, CompanionUpOnlyCountsAndConcurrentCallsDoNotInterleave) {
  FakeExplorerWindows system;
  RecordingLog log;
  ExplorerWatch up(system, log, [] { return true; });
  system.open(u"A");
  up.startAtLaunch(kMainWindow, u"");
  EXPECT_TRUE(system.started.empty());
  EXPECT_TRUE(system.closed.empty());
  EXPECT_EQ(system.nowMs, 0u);
  EXPECT_FALSE(up.startedExplorer());

  // Two callers recycling at once: each sees the other's finished windows,
  // never a half-recycled list.
  ExplorerWatch down(system, log, {});
  system.appearAfterMs = 0;
  std::thread other([&] { down.startWatch(kMainWindow, u""); });
  down.startWatch(kMainWindow, u"");
  other.join();
  EXPECT_EQ(system.windows.size(), 1u);
  EXPECT_EQ(system.started.size(), 2u);
  EXPECT_TRUE(log.activityLines.empty());
}

}  // namespace
}  // namespace tolvane
