#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "base/text.h"
#include "engine/hotkeys/chore_list_launcher.h"
#include "engine/scheduler/list_icon.h"
#include "platform/system_clock.h"
#include "platform/win32/sync/win32_sync.h"
#include "win32_common/wide.h"
#include "shell/running/platform_runner_services.h"
#include "shell/running/running_lists.h"
#include "support/fake_clipboard.h"
#include "support/fake_desktop.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_registry.h"
#include "support/fake_sounds.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane::win32 {
namespace {

using test::makeChore;
using test::makeList;
using test::RecordingLogSink;

// A main window with a chore tree, draining the display's queue as
// Tolvane's window does.
class TreeWindow {
 public:
  explicit TreeWindow(TreeRunDisplay*& display) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &TreeWindow::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RunningWinTest";
    RegisterClassW(&windowClass);
    main_ = CreateWindowW(L"RunningWinTest", L"Running", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(main_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&display));
    tree_ = CreateWindowW(WC_TREEVIEWW, L"", WS_CHILD | TVS_HASLINES, 0, 0, 200, 200, main_, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
    insert(TVI_ROOT, L"Chores");
    lists_ = insert(TVI_ROOT, L"Chore Lists");
  }
  ~TreeWindow() { DestroyWindow(main_); }

  HTREEITEM insert(HTREEITEM parent, const wchar_t* text) {
    TVINSERTSTRUCTW item{};
    item.hParent = parent;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.item.pszText = const_cast<wchar_t*>(text);
    item.item.iImage = item.item.iSelectedImage = kListIconPlain;
    return TreeView_InsertItem(tree_, &item);
  }

  // Lets the window's thread handle what worker threads queued.
  void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

  UINT state(HTREEITEM item) { return TreeView_GetItemState(tree_, item, TVIS_BOLD | TVIS_SELECTED); }
  int image(HTREEITEM item) {
    TVITEMW info{};
    info.mask = TVIF_IMAGE;
    info.hItem = item;
    TreeView_GetItem(tree_, &info);
    return info.iImage;
  }

  HWND main() const { return main_; }
  HWND tree() const { return tree_; }
  HTREEITEM lists() const { return lists_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TreeRunDisplay::kRunDisplayMessage) {
      auto* display = *reinterpret_cast<TreeRunDisplay**>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (display) display->drain();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND main_;
  HWND tree_;
  HTREEITEM lists_;
};

TEST(RunningDisplay, RunningListAndStepAreMarkedFromWorkerThreadsAndRestoredWithTheirIcon) {
  SystemClock clock;
  std::vector<std::u16string> tips;
  TreeRunDisplay display(clock, [&](std::u16string_view tip) { tips.emplace_back(tip); });
  TreeRunDisplay* shown = &display;
  TreeWindow window(shown);
  HTREEITEM list = window.insert(window.lists(), L"Backup");
  HTREEITEM step0 = window.insert(list, L"Copy");
  HTREEITEM step1 = window.insert(list, L"Zip");
  HTREEITEM other = window.insert(window.lists(), L"Evening");
  display.attach(window.main(), window.tree());

  std::thread([&] {
    display.listStarted(u"Backup");
    display.stepStarted(u"Backup", 1);
    display.listPendingToday(u"Evening");
  }).join();
  window.pump();
  EXPECT_EQ(window.state(list), UINT(TVIS_BOLD | TVIS_SELECTED));
  EXPECT_EQ(window.state(step0), 0u);
  EXPECT_EQ(window.state(step1), UINT(TVIS_BOLD | TVIS_SELECTED));
  EXPECT_EQ(window.image(other), kListIconPendingToday);
  ASSERT_FALSE(tips.empty());
  EXPECT_EQ(tips.back(), u"Chore list in progress...\n\"Backup\"");

  ChoreList ended;
  ended.name = u"Backup";
  ended.schedule.hasRunTimeOfDay = true;
  std::thread([&] {
    display.listEnded(ended);
    display.listLaunchedBySchedule(u"Evening");
  }).join();
  window.pump();
  EXPECT_EQ(window.state(list), 0u);
  EXPECT_EQ(window.state(step1), 0u);
  EXPECT_EQ(window.image(list), kListIconScheduled);
  EXPECT_EQ(window.image(other), kListIconScheduled);
  EXPECT_EQ(tips.back(), u"Tolvane\nTolvane at your service...");

  // Once the window is going, nothing more is queued for it.
  display.attach(nullptr, nullptr);
  display.listStarted(u"Backup");
  window.pump();
  EXPECT_EQ(window.state(list), 0u);
}

// Labels are the only link to the lists: a long name must match whole, not
// cut at some buffer's size.
TEST(RunningDisplay, AListIsFoundByItsWholeNameHoweverLong) {
  SystemClock clock;
  TreeRunDisplay display(clock, [](std::u16string_view) {});
  TreeRunDisplay* shown = &display;
  TreeWindow window(shown);
  const std::wstring longName(700, L'n');
  HTREEITEM list = window.insert(window.lists(), longName.c_str());
  HTREEITEM shorter = window.insert(window.lists(), longName.substr(0, 519).c_str());
  display.attach(window.main(), window.tree());

  display.listPendingToday(fromWide(longName));
  window.pump();
  EXPECT_EQ(window.image(list), kListIconPendingToday);
  EXPECT_EQ(window.image(shorter), kListIconPlain);
}

class RunningListsTest : public ::testing::Test {
 protected:
  RunningListsTest() {
    schedulerEvent = sync.createEvent(u"", false, false);
    running = std::make_unique<RunningLists>(RunningListsServices{
        library, sync, clock, log, [this](const Chore& chore) { return executeChore(chore); }, desktop, files,
        clipboard, prompts, sounds,
        [this](std::u16string_view name) {
          launches.push_back(std::u16string(name));
          return launchNow(name);
        },
        [this](std::u16string_view name) { return stopNow(name); }, *schedulerEvent, [this] { return exitNow.load(); },
        [] { return false; }, [](std::u16string_view) {}, registry});
  }

  // What the launcher does, on the threads the lists are waited for on.
  bool launchNow(std::u16string_view name) {
    const int index = library.findChoreList(name);
    if (index < 0) return false;
    const ChoreListId id = library.choreListAt(index).id;
    bool prepared = false;
    library.withChoreList(id, [&](ChoreList& list) { prepared = prepareListRun(list, sync); });
    auto body = running->threadBody();
    return prepared && running->threadStarter()([body, id] { body(id); }) == 0;
  }

  bool stopNow(std::u16string_view name) {
    const int index = library.findChoreList(name);
    if (index < 0) return false;
    bool stopped = false;
    library.withChoreList(library.choreListAt(index).id, [&](ChoreList& list) { stopped = requestListStop(list); });
    return stopped;
  }

  bool waitForLine(std::string_view part, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
      if (log.find(part)) return true;
      Sleep(50);
    }
    return false;
  }

  SystemClock clock;
  Win32Sync sync;
  RecordingLogSink log{&clock};
  ChoreLibrary library;
  test::FakeDesktop desktop;
  test::FakeFiles files;
  test::FakeClipboard clipboard;
  test::FakePrompts prompts;
  test::FakeSounds sounds;
  test::FakeRegistry registry;
  std::shared_ptr<Event> schedulerEvent;
  std::atomic<bool> exitNow{false};
  std::function<bool(const Chore&)> executeChore = [](const Chore&) { return true; };
  std::vector<std::u16string> launches;
  std::unique_ptr<RunningLists> running;
};

TEST_F(RunningListsTest, PowerResumeAndTimeChangeWakeTheScheduler) {
  EXPECT_EQ(sync.wait(*schedulerEvent, 0), WaitResult::TimedOut);
  running->handleMessage(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
  EXPECT_EQ(sync.wait(*schedulerEvent, 0), WaitResult::Signaled);
  running->handleMessage(WM_POWERBROADCAST, PBT_APMSUSPEND);
  EXPECT_EQ(sync.wait(*schedulerEvent, 0), WaitResult::TimedOut);
  running->handleMessage(WM_TIMECHANGE, 0);
  EXPECT_EQ(sync.wait(*schedulerEvent, 0), WaitResult::Signaled);
}

// Real threads, real waits: a list scheduled two seconds ahead starts by
// itself, runs its one-second delay and its file wait, and the scheduler
// ends on "exit".
TEST_F(RunningListsTest, AScheduledListStartsByItselfAndRunsOnItsOwnThread) {
  files.put(u"C:\\ready.flag", "1");
  ChoreList list;
  list.name = u"Soon";
  Chore step;
  step.name = u"Pause";
  step.type = CHORE_NOTHING;
  step.compType = DELAY;
  step.compData = u"1";
  list.steps.push_back(step);
  step.compType = FILE_CREATED;
  step.compData = u"C:\\ready.flag";
  step.timeout = 5;
  list.steps.push_back(step);
  list.schedule.hasRunTimeOfDay = true;
  list.schedule.runTimeOfDay = clock.now() + 2;
  library.appendChoreList(list);

  ASSERT_TRUE(running->startScheduler());
  ASSERT_TRUE(waitForLine("Chore list: Soon launched per its schedule.", 6));
  ASSERT_TRUE(waitForLine("Chore list: Soon completed.", 6));
  EXPECT_TRUE(log.find("Chore list: Soon, count:0, Chore #0: Pause, CompType: 7 completed."));
  EXPECT_TRUE(log.find("Chore list: Soon, count:0, Chore #1: Pause, CompType: 3 completed."));
  exitNow = true;
  ASSERT_TRUE(running->endThreads(5000));
  const auto lines = log.debugTexts();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "...exiting Tolvane scheduler..."), lines.end());
  EXPECT_FALSE(library.copyChoreList(u"Soon").inProgress);
}

TEST_F(RunningListsTest, ClosingStopsWaitingListsBeforeTheirServicesGo) {
  ChoreList list;
  list.name = u"Endless";
  Chore step;
  step.name = u"Watch";
  step.type = CHORE_NOTHING;
  step.compType = WND_CREATED;
  step.compData = u"A window nobody opens";
  list.steps.push_back(step);
  library.appendChoreList(list);
  ASSERT_TRUE(launchNow(u"Endless"));
  ASSERT_TRUE(waitForLine("Chore list: Endless, waiting for WND_CREATED:", 5));

  running.reset();
  EXPECT_TRUE(log.find("Chore list: Endless, count:0, Chore #0: Watch, CompType: 1 terminated."));
  EXPECT_FALSE(library.copyChoreList(u"Endless").inProgress);
}

// The end of the program waits for a list busy in a chore, and while it
// ends no list starts its next one: nothing may outlive what it uses.
TEST_F(RunningListsTest, EndingWaitsForABusyStepAndStartsNoNextList) {
  std::atomic<bool> release{false};
  std::atomic<bool> inChore{false};
  executeChore = [&](const Chore&) {
    inChore = true;
    while (!release) Sleep(10);
    return true;
  };
  ChoreList list = makeList(u"Busy", {makeChore(u"Slow")});
  list.schedule.nextChorelist = u"Next";
  list.schedule.alwaysRun = true;
  library.appendChoreList(list);
  library.appendChoreList(makeList(u"Next", {makeChore(u"Slow")}));
  ASSERT_TRUE(launchNow(u"Busy"));
  for (int i = 0; i < 200 && !inChore; ++i) Sleep(10);
  ASSERT_TRUE(inChore);

  EXPECT_FALSE(running->endThreads(100));
  release = true;
  EXPECT_TRUE(running->endThreads(5000));
  EXPECT_TRUE(log.find("Chore list: Busy terminated."));
  EXPECT_EQ(launches, std::vector<std::u16string>{});
  EXPECT_FALSE(launchNow(u"Next"));
}

TEST_F(RunningListsTest, TheWizardsTrialListRunsUnseenAndStopsOnRequest) {
  Chore step = makeChore(u"Watch");
  step.compType = WND_CREATED;
  step.compData = u"A window nobody opens";
  ChoreList trial = makeList(u"_Wiz+Test", {step});
  EXPECT_FALSE(running->trialListRunning());
  ASSERT_TRUE(running->startTrialList(trial));
  EXPECT_TRUE(running->trialListRunning());
  EXPECT_FALSE(running->startTrialList(trial));
  ASSERT_TRUE(waitForLine("Chore list: _Wiz+Test, waiting for WND_CREATED:", 5));

  running->stopTrialList();
  ASSERT_TRUE(waitForLine("Chore list: _Wiz+Test terminated.", 5));
  for (int i = 0; i < 200 && running->trialListRunning(); ++i) Sleep(10);
  EXPECT_FALSE(running->trialListRunning());
  EXPECT_EQ(library.choreListCount(), 0);
  EXPECT_TRUE(running->endThreads(5000));
}

}  // namespace
}  // namespace tolvane::win32
