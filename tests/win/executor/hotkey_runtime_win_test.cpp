#include "shell/hotkeys/hot_key_runtime.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "win32_common/wide.h"
#include "platform/win32/win32_platform.h"
#include "support/fake_registry.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane::win32 {
namespace {

namespace fs = std::filesystem;

// Waits for the number of activity lines, five seconds at most.
bool waitForLines(const test::RecordingLogSink& log, std::size_t count, int timeoutMs = 5000) {
  for (int i = 0; i < timeoutMs / 10; ++i) {
    if (log.activityLines().size() >= count) return true;
    Sleep(10);
  }
  return false;
}

class NoCompanion : public Companion {
 public:
  bool canGotoFolder() const override { return false; }
  CompanionSendResult gotoFolder(std::u16string_view) override { return {}; }
  std::optional<bool> isBhoUp() const override { return std::nullopt; }
  std::optional<bool> isCmdReady() const override { return std::nullopt; }
  void withdrawCommand() override {}
  std::optional<bool> kyrValidated() const override { return std::nullopt; }
  std::optional<std::u16string> kyrError() const override { return std::nullopt; }
  CompanionSendResult sendKeyruneCommand(std::u16string_view, std::u16string_view) override { return {}; }
  void setDebugLogging(bool) override {}
  void setMaxLogSize(std::int32_t) override {}
};

struct RuntimeRig {
  ChoreLibrary library;
  test::RecordingLogSink log;
  Win32Sync sync;
  test::FakeRegistry registry;
  NoCompanion companion;
  Win32Platform platform;
  std::shared_ptr<Event> choreEvent = sync.createEvent(u"", false, false);
  std::shared_ptr<Event> schedulerEvent = sync.createEvent(u"", false, false);
  std::unique_ptr<HotKeyRuntime> runtime;

  void start() {
    runtime = std::make_unique<HotKeyRuntime>(
        HotKeyRuntimeServices{library, log, sync, registry, companion, platform.shell, platform.desktop,
                              platform.windows, platform.keyboard, platform.clipboard, platform.sounds,
                              platform.ownerlessPrompts, platform.accessibility, platform.processes, choreEvent,
                              schedulerEvent});
    ASSERT_TRUE(runtime->startChoreThread());
  }
};

TEST(HotKeyRuntime, ChoresRunOnTheChoreThreadOneLineEach) {
  const fs::path folder = fs::temp_directory_path() / "tolvane_runtime_test";
  fs::remove_all(folder);
  fs::create_directories(folder / "out");
  std::ofstream(folder / "a.txt") << "alpha";

  RuntimeRig rig;
  rig.library.appendChore(test::makeChore(u"Idle", CHORE_NOTHING));
  Chore clip = test::makeChore(u"Clip", CHORE_CLIPBOARD);
  clip.siteName = u"from the chore thread";
  rig.library.appendChore(clip);
  Chore copy = test::makeChore(u"Copy", CHORE_FILEOP);
  copy.fileOp.fileOpSource = {fromWide((folder / "a.txt").wstring())};
  copy.fileOp.fileOpDest = fromWide((folder / "out").wstring());
  rig.library.appendChore(copy);
  rig.start();

  EXPECT_FALSE(rig.runtime->runChore(u"Nobody"));
  ASSERT_TRUE(rig.runtime->runChore(u"Idle"));
  ASSERT_TRUE(waitForLines(rig.log, 1));
  ASSERT_TRUE(rig.runtime->runChore(u"Clip"));
  ASSERT_TRUE(waitForLines(rig.log, 2));
  ASSERT_TRUE(rig.runtime->runChore(u"Copy"));
  ASSERT_TRUE(waitForLines(rig.log, 3));

  const auto lines = rig.log.activityTexts();
  EXPECT_EQ(lines[0], "Chore done: Idle, CHORE_NOTHING.");
  EXPECT_EQ(lines[1], "Chore done: Clip, CHORE_NOTHING.");
  EXPECT_EQ(lines[2], "Chore done: Copy, CHORE_FILEOP:Copy");
  EXPECT_EQ(rig.platform.clipboard.readText(), u"from the chore thread");
  EXPECT_TRUE(fs::exists(folder / "out" / "a.txt"));

  rig.runtime->requestExit();
  EXPECT_TRUE(rig.runtime->exitRequested());
  rig.runtime->runChore(u"Idle");
  EXPECT_FALSE(waitForLines(rig.log, 4, 300));
}

TEST(HotKeyRuntime, TheHookLetsTypedKeysThroughWithoutStartingChores) {
  RuntimeRig rig;
  Chore bound = test::makeChore(u"CtrlK", CHORE_NOTHING);
  bound.hotKey = {'K', kHotKeyControl};
  rig.library.appendChore(bound);
  rig.start();
  ASSERT_TRUE(rig.runtime->installHook());
  rig.runtime->hook().setSuspended(false);

  // Keys the program types itself arrive injected: never a hot key.
  keybd_event(VK_CONTROL, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event('K', 0x45, KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event('K', 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  rig.runtime->onTimer();
  rig.runtime->removeHook();
  EXPECT_FALSE(waitForLines(rig.log, 1, 300));
}

}  // namespace
}  // namespace tolvane::win32
