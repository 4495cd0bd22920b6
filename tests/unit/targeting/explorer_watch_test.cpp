#include "engine/explorer_watch/explorer_watch.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/fake_desktop.h"

namespace tolvane {
namespace {

using test::FakeExplorerWindows;
using test::RecordingLog;

constexpr WindowHandle kMainWindow = 0x42;

// Explorer that hosts the companion: it is up once a started window shows.
std::function<bool()> hostingExplorer(const FakeExplorerWindows& system) {
  return [&system] { return system.startedWindowShown(); };
}

TEST(ExplorerWatch, NoExplorerOpenStartsOneWaitsForItsWindowOfAnyClassAndClosesItAtExit) {
  for (const char16_t* startedClass : {u"ExploreWClass", u"CabinetWClass"}) {
    SCOPED_TRACE(startedClass == std::u16string_view(u"ExploreWClass") ? "ExploreWClass" : "CabinetWClass");
    FakeExplorerWindows system;
    system.startedClass = startedClass;
    RecordingLog log;
    ExplorerWatch watch(system, log, hostingExplorer(system));
    system.open(u"Plain folder", {}, u"CabinetWClass");

    watch.startAtLaunch(kMainWindow, u"");
    EXPECT_EQ(system.started, std::vector<std::u16string>{u"Explorer.exe"});
    EXPECT_TRUE(watch.startedExplorer());
    // Three polls until the window shows at 300 ms, 200 ms to settle, 300 ms
    // in bringing the main window back.
    EXPECT_EQ(system.nowMs, 300u + 200u + 300u);
    EXPECT_EQ(system.broughtToFront, std::vector<WindowHandle>{kMainWindow});
    EXPECT_TRUE(log.activityLines.empty());

    system.open(u"Opened by the user later");
    watch.closeStartedExplorers();
    EXPECT_EQ(system.closed.size(), 2u);
    ASSERT_EQ(system.windows.size(), 1u) << "other classes are left alone";
    EXPECT_EQ(system.windows[0].record.title, u"Plain folder");
    EXPECT_FALSE(watch.startedExplorer());
    watch.closeStartedExplorers();
    EXPECT_EQ(system.closed.size(), 2u) << "closing happens once";
  }
}

TEST(ExplorerWatch, LastFolderIsOpenedAndAFailedStartIsLoggedAndWaitedOut) {
  FakeExplorerWindows system;
  RecordingLog log;
  ExplorerWatch watch(system, log, hostingExplorer(system));
  EXPECT_EQ(watch.startWatch(kMainWindow, u"C:\\Work"), 0u);
  EXPECT_EQ(system.started, std::vector<std::u16string>{u"Explorer.exe /e,C:\\Work"});

  FakeExplorerWindows failing;
  failing.failStartWith = 5;
  ExplorerWatch broken(failing, log, hostingExplorer(failing));
  broken.startAtLaunch(kMainWindow, u"");
  ASSERT_EQ(log.activityLines.size(), 2u);
  EXPECT_EQ(log.activityLines[0].text, u"CreateProcess error in OnBnClickStartWatch; code= 00000005");
  EXPECT_TRUE(log.activityLines[0].isError);
  EXPECT_EQ(log.activityLines[1].text, kShellOnlyNotice);
  EXPECT_EQ(log.debugLines, std::vector<std::u16string>{u"CreateProcess error in OnBnClickStartWatch; code=00000005"});
  EXPECT_EQ(failing.nowMs, 3000u + 200u + 300u);
  EXPECT_FALSE(broken.startedExplorer());
}

TEST(ExplorerWatch, OpenWindowsAreReopenedOnTheirTitlesWithTheirPlacements) {
  FakeExplorerWindows system;
  RecordingLog log;
  ExplorerWatch watch(system, log, hostingExplorer(system));
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
  ExplorerWatch watch(system, log, hostingExplorer(system));
  system.open(u"A");
  system.open(u"B");
  system.failStartWith = 2;
  system.failStartAfter = 1;
  EXPECT_EQ(watch.startWatch(kMainWindow, u""), 2u);
  EXPECT_EQ(system.started, std::vector<std::u16string>{u"Explorer.exe /e,A"});
  ASSERT_GE(log.activityLines.size(), 1u);
  EXPECT_EQ(log.activityLines[0].text, u"CreateProcess error in recycleExplorer; code= 00000002");

  FakeExplorerWindows slow;
  RecordingLog slowLog;
  ExplorerWatch slowWatch(slow, slowLog, hostingExplorer(slow));
  slow.open(u"A");
  slow.appearAfterMs = 10000;
  slowWatch.startWatch(kMainWindow, u"");
  ASSERT_EQ(slowLog.activityLines.size(), 2u);
  EXPECT_EQ(slowLog.activityLines[0].text, u"Waiting for Explorers in recycleExplorer(); waitTime= 00000bb8");
  EXPECT_EQ(slowLog.activityLines[1].text, kShellOnlyNotice);
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

  // Two callers at once: the second sees the first one's finished windows,
  // never a half-recycled list, and then the companion up.
  ExplorerWatch down(system, log, hostingExplorer(system));
  system.appearAfterMs = 0;
  std::thread other([&] { down.startWatch(kMainWindow, u""); });
  down.startWatch(kMainWindow, u"");
  other.join();
  EXPECT_EQ(system.windows.size(), 1u);
  EXPECT_EQ(system.started.size(), 1u);
  EXPECT_TRUE(log.activityLines.empty());
}

TEST(ExplorerWatch, ExplorerThatDoesNotHostTheCompanionIsStartedOnceAndItsWindowClosedAgain) {
  FakeExplorerWindows system;
  system.startedClass = u"ExplorerWClass";
  RecordingLog log;
  ExplorerWatch watch(system, log, [] { return false; });
  const WindowHandle users = system.open(u"The user's", {}, u"CabinetWClass");

  watch.startAtLaunch(kMainWindow, u"C:\\Docs");
  EXPECT_EQ(system.started.size(), 1u);
  EXPECT_EQ(system.nowMs, 300u + 200u + 300u) << "the wait ends when Explorer's window shows";
  ASSERT_EQ(system.closed.size(), 1u);
  EXPECT_NE(system.closed[0], users);
  ASSERT_EQ(system.windows.size(), 1u);
  EXPECT_EQ(system.windows[0].record.window, users);
  ASSERT_EQ(log.activityLines.size(), 1u);
  EXPECT_EQ(log.activityLines[0].text, kShellOnlyNotice);
  EXPECT_FALSE(log.activityLines[0].isError);
  EXPECT_TRUE(watch.shellOnly());
  EXPECT_FALSE(watch.startedExplorer());

  // Explore chores go straight on: nothing started, closed or waited for.
  system.nowMs = 0;
  system.open(u"An old-style window");
  EXPECT_EQ(watch.startWatch(kMainWindow, u"C:\\Docs"), 1u);
  EXPECT_EQ(system.started.size(), 1u);
  EXPECT_EQ(system.nowMs, 0u);
  watch.closeStartedExplorers();
  EXPECT_EQ(system.closed.size(), 1u);
  EXPECT_EQ(log.activityLines.size(), 1u);

  // A window that did not come alone may be the user's: none is closed.
  FakeExplorerWindows busy;
  busy.startedClass = u"ExplorerWClass";
  ExplorerWatch busyWatch(busy, log, {});
  busy.open(u"Opened by the user meanwhile", {}, u"ExplorerWClass");
  busy.windows.back().visibleAtMs = 300;
  busyWatch.startAtLaunch(kMainWindow, u"");
  EXPECT_FALSE(busyWatch.awaitsLateWindow());
  EXPECT_TRUE(busy.closed.empty());
  EXPECT_EQ(busy.windows.size(), 2u);
  EXPECT_TRUE(busyWatch.shellOnly());
}

// A window of Explorer's that shows only after start-up stopped waiting is
// closed when it comes within ten seconds of the start, unless the
// companion came up with it or an explore chore came first. Nothing else is
// ever closed.
TEST(ExplorerWatch, StartUpsExplorerWindowIsClosedEvenWhenItComesLate) {
  struct Case {
    const char* what;
    std::uint64_t appearAfterMs;
    bool companionComesWithIt;
    bool exploreChoreFirst;
    bool closed;
    std::uint64_t doneAtMs;
  };
  const Case cases[] = {
      {"at 4 s", 4000, false, false, true, 4000},
      {"hosting the companion", 4000, true, false, false, 4000},
      {"after an explore chore", 4000, false, true, false, 3500},
      {"past 10 s", 10100, false, false, false, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeExplorerWindows system;
    system.startedClass = u"ExplorerWClass";
    system.appearAfterMs = c.appearAfterMs;
    RecordingLog log;
    ExplorerWatch watch(system, log, [&] { return c.companionComesWithIt && system.startedWindowShown(); });
    system.open(u"The user's", {}, u"ExplorerWClass");

    watch.startAtLaunch(kMainWindow, u"");
    EXPECT_EQ(system.nowMs, 3500u) << "start-up waits no longer than before";
    ASSERT_TRUE(watch.awaitsLateWindow());
    if (c.exploreChoreFirst) watch.startWatch(kMainWindow, u"C:\\Docs");
    watch.closeLateWindow();
    EXPECT_EQ(system.closed.size(), c.closed ? 1u : 0u);
    EXPECT_EQ(system.nowMs, c.doneAtMs);

    system.open(u"Opened later", {}, u"ExplorerWClass");
    watch.closeLateWindow();
    EXPECT_EQ(system.windows.size(), c.closed ? 2u : 3u) << "the user's windows stay";
  }
}

}  // namespace
}  // namespace tolvane
