// The Explorer watch against real windows of Explorer's classes (made by a
// stand-in program, as Wine's Explorer hosts no companion).

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "child_program.h"
#include "win32_common/wide.h"
#include "shell/explorer_watch/explorer_watch.h"
#include "support/fake_desktop.h"

namespace tolvane {
namespace {

using win32::fromWide;

constexpr wchar_t kExplorerClass[] = L"ExploreWClass";
constexpr wchar_t kWineExplorerClass[] = L"ExplorerWClass";

class ExplorerWatchOnWine : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    test::endProgramsWithWindowClass(kExplorerClass);
    test::endProgramsWithWindowClass(kWineExplorerClass);
  }

  std::u16string program_ = u"\"" + fromWide(test::testProgramFolder()) + u"targeting_explore_app.exe\"";
  test::RecordingLog log_;
};

RECT normalRect(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  return placement.rcNormalPosition;
}

// Wine refuses SetWindowPlacement on another process's window; moving it
// sets its normal position all the same.
void moveTo(HWND window, RECT rect) {
  SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER);
}

bool sameRect(RECT a, RECT b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The companion comes up in an Explorer window that the test did not open.
std::function<bool()> upInAWindowOtherThan(const std::vector<HWND>& windows) {
  return [&windows] {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, kExplorerClass, nullptr)))
      if (std::find(windows.begin(), windows.end(), found) == windows.end()) return true;
    return false;
  };
}

TEST_F(ExplorerWatchOnWine, StartsRecyclesWithPlacementsAndClosesWhatItStarted) {
  std::vector<HWND> ours;
  CExplorerWatch watch(log_, upInAWindowOtherThan(ours), program_);

  // Nothing open: Explorer is started on the last folder and closed at exit.
  watch.startAtLaunch(nullptr, u"C:\\windows");
  EXPECT_TRUE(watch.startedExplorer());
  ExplorerWindowList list;
  ASSERT_EQ(watch.enumerateExplorerWindows(list), 1u);
  EXPECT_EQ(list[0].title, u"C:\\windows");

  // Two open while the companion is down: both reopened in place.
  test::ChildProgram second(test::testProgramFolder() + L"targeting_explore_app.exe /e,Control Panel");
  HWND controlPanel = test::waitForWindow(kExplorerClass, L"Control Panel");
  ASSERT_NE(controlPanel, nullptr);
  HWND windows = test::waitForWindow(kExplorerClass, L"C:\\windows");
  ours = {controlPanel, windows};
  const RECT windowsRect{10, 20, 410, 320};
  const RECT controlPanelRect{200, 150, 900, 650};
  moveTo(windows, windowsRect);
  moveTo(controlPanel, controlPanelRect);

  EXPECT_EQ(watch.OnBnClickStartWatch(nullptr, u"C:\\ignored"), 2u);
  EXPECT_FALSE(IsWindow(windows));
  EXPECT_FALSE(IsWindow(controlPanel));
  HWND newWindows = test::waitForWindow(kExplorerClass, L"C:\\windows");
  HWND newControlPanel = test::waitForWindow(kExplorerClass, L"Control Panel");
  ASSERT_NE(newWindows, nullptr);
  ASSERT_NE(newControlPanel, nullptr);
  EXPECT_TRUE(sameRect(normalRect(newWindows), windowsRect));
  EXPECT_TRUE(sameRect(normalRect(newControlPanel), controlPanelRect));
  EXPECT_TRUE(log_.activityLines.empty());

  // Companion up: only counted.
  CExplorerWatch up(log_, [] { return true; }, program_);
  EXPECT_EQ(up.OnBnClickStartWatch(nullptr, u""), 2u);
  EXPECT_TRUE(IsWindow(newWindows));
  EXPECT_TRUE(IsWindow(newControlPanel));

  watch.closeStartedExplorers(nullptr);
  EXPECT_FALSE(watch.startedExplorer());
  for (int i = 0; i < 100 && watch.enumerateExplorerWindows(list) != 0; ++i) Sleep(20);
  EXPECT_EQ(list.size(), 0u);
}

TEST_F(ExplorerWatchOnWine, ProgramThatCannotStartIsLoggedWithItsCode) {
  CExplorerWatch watch(log_, {}, u"\"" + fromWide(test::testProgramFolder()) + u"no_such_explorer.exe\"");
  watch.startAtLaunch(nullptr, u"");
  ASSERT_EQ(log_.activityLines.size(), 2u);
  EXPECT_EQ(log_.activityLines[0].text, u"CreateProcess error in OnBnClickStartWatch; code= 00000002");
  EXPECT_TRUE(log_.activityLines[0].isError);
  EXPECT_EQ(log_.activityLines[1].text, kShellOnlyNotice);
}

TEST_F(ExplorerWatchOnWine, ExplorerWithoutTheCompanionIsStartedOnceAndOnlyItsWindowClosed) {
  test::ChildProgram users(test::testProgramFolder() + L"targeting_explore_app.exe /class=ExplorerWClass /e,Mine");
  HWND mine = test::waitForWindow(kWineExplorerClass, L"Mine");
  ASSERT_NE(mine, nullptr);
  CExplorerWatch watch(log_, [] { return false; }, program_ + u" /class=ExplorerWClass");

  watch.startAtLaunch(nullptr, u"C:\\windows");
  EXPECT_FALSE(watch.startedExplorer());
  EXPECT_EQ(FindWindowW(kWineExplorerClass, L"C:\\windows"), nullptr);
  EXPECT_TRUE(IsWindow(mine));
  ASSERT_EQ(log_.activityLines.size(), 1u);
  EXPECT_EQ(log_.activityLines[0].text, kShellOnlyNotice);

  EXPECT_EQ(watch.OnBnClickStartWatch(nullptr, u"C:\\windows"), 0u);
  EXPECT_EQ(FindWindowW(kWineExplorerClass, L"C:\\windows"), nullptr) << "nothing started again";
  watch.closeStartedExplorers(nullptr);
  EXPECT_TRUE(IsWindow(mine));
  EXPECT_EQ(log_.activityLines.size(), 1u);
}

}  // namespace
}  // namespace tolvane
