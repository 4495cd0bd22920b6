#include "engine/hotkeys/hot_key_hook.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/hotkeys/list_event_names.h"
#include "library/library_edits.h"
#include "std_sync.h"
#include "support/fake_desktop.h"
#include "support/fake_sounds.h"
#include "support/fake_window_actions.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane::test {
namespace {

constexpr ModifierState kCtrl{true, false, false};
constexpr ModifierState kAlt{false, false, true};
constexpr ModifierState kCtrlShift{true, true, false};

struct HookRig {
  ChoreLibrary library;
  StdSync sync;
  std::shared_ptr<Event> choreEvent = sync.createEvent(u"_tolvChoreCmdEvnt_", false, false);
  ChoreCommandSlot slot{choreEvent, nullptr};
  RecordingLogSink log;
  std::vector<ChoreListId> started;
  int threadError = 0;
  ChoreListLauncher launcher{library, sync, log};
  KeyCapture capture;
  FakeSounds sounds;
  FakeWindowActions windows;
  std::vector<bool> toolbar;
  HotKeyHook hook{HotKeyHookServices{library, slot, launcher, capture, sounds, log, windows,
                                     [this](bool enabled) { toolbar.push_back(enabled); }}};

  HookRig() {
    launcher.setListThreads(
        [this](std::function<void()> body) {
          if (threadError == 0) body();
          return threadError;
        },
        [this](ChoreListId id) { started.push_back(id); });
    hook.setSuspended(false);
  }
  bool press(std::uint16_t key, ModifierState pressed) { return hook.onKey({0, key, 0}, pressed); }
};

Chore boundChore(std::u16string name, std::uint16_t key, std::uint16_t modifiers, ChoreType type = CHORE_NOTHING) {
  Chore chore = makeChore(std::move(name), type);
  chore.hotKey = {key, modifiers};
  return chore;
}

// The hot-key button and the activity window showed hot keys going off,
// then on again.
void expectOffThenOn(const HookRig& rig) {
  EXPECT_EQ(rig.toolbar, (std::vector<bool>{false, true}));
  const std::vector<LoggedLine> lines = rig.log.activityLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "Hotkey processing: DISABLED");
  EXPECT_TRUE(lines[0].isError);
  EXPECT_EQ(lines[1].text, "Hotkey processing: ENABLED");
  EXPECT_FALSE(lines[1].isError);
}

TEST(HotKeyHook, AChoreHotKeyHandsACopyToTheChoreThreadAndIsSwallowed) {
  HookRig rig;
  Chore chore = boundChore(u"Notes", 'N', kHotKeyControl, CHORE_EXPLORE);
  chore.object = u"C:\\Notes";
  rig.library.appendChore(chore);

  EXPECT_TRUE(rig.press('N', kCtrl));
  EXPECT_EQ(static_cast<StdEvent&>(*rig.choreEvent).setCount(), 1);
  TakenCommand taken = rig.slot.take();
  EXPECT_EQ(taken.command, u"doChore");
  ASSERT_TRUE(taken.chore);
  EXPECT_EQ(taken.chore->object, u"C:\\Notes");

  EXPECT_FALSE(rig.press('N', kAlt));
  EXPECT_FALSE(rig.press('N', {true, false, true}));

  // A hot key added later is seen at once; a removed one no longer fires.
  rig.library.appendChore(boundChore(u"Later", 'L', kHotKeyAlt));
  EXPECT_TRUE(rig.press('L', kAlt));
  rig.library.edit([](LibraryContents& contents) { contents.chores.clear(); });
  EXPECT_FALSE(rig.press('N', kCtrl));
}

TEST(HotKeyHook, MasterKeySwitchesProcessingWithItsSoundsToolbarAndLogLines) {
  HookRig rig;
  rig.library.appendChore(boundChore(u"Notes", 'N', kHotKeyControl));
  EXPECT_TRUE(rig.press(0x27, kCtrlShift));
  EXPECT_FALSE(rig.hook.processingEnabled().load());
  EXPECT_FALSE(rig.press('N', kCtrl));  // reaches the program in front
  EXPECT_TRUE(rig.press(0x27, kCtrlShift));
  EXPECT_TRUE(rig.hook.processingEnabled().load());
  EXPECT_TRUE(rig.press('N', kCtrl));

  EXPECT_EQ(rig.sounds.played(), (std::vector<std::uint16_t>{158, 154}));
  expectOffThenOn(rig);

  // A master key from the settings replaces the default one.
  rig.hook.setMasterKey({'M', kHotKeyAlt});
  EXPECT_FALSE(rig.press(0x27, kCtrlShift));
  EXPECT_TRUE(rig.press('M', kAlt));
}

TEST(HotKeyHook, WhileSuspendedEveryKeyPassesEvenTheMasterKey) {
  HookRig rig;
  rig.library.appendChore(boundChore(u"Notes", 'N', kHotKeyControl));
  rig.hook.setSuspended(true);
  EXPECT_FALSE(rig.press('N', kCtrl));
  EXPECT_FALSE(rig.press(0x27, kCtrlShift));
  EXPECT_TRUE(rig.hook.processingEnabled().load());
  EXPECT_TRUE(rig.slot.take().command.empty());
}

TEST(HotKeyHook, AnOpenEditorSuspendsHotKeysWithTheButtonAndTheLogLines) {
  HookRig rig;
  rig.library.appendChore(boundChore(u"Notes", 'N', kHotKeyControl));
  {
    HotKeySuspension editorOpen(rig.hook);
    EXPECT_TRUE(rig.hook.suspended());
    EXPECT_FALSE(rig.press('N', kCtrl));
    EXPECT_FALSE(rig.press(0x27, kCtrlShift));
  }
  EXPECT_FALSE(rig.hook.suspended());
  EXPECT_TRUE(rig.press('N', kCtrl));
  expectOffThenOn(rig);
  // The master toggle is untouched: the editor did not switch hot keys off.
  EXPECT_TRUE(rig.hook.processingEnabled().load());
}

TEST(HotKeyHook, ListsStartOnTheirKeyAndWaitingStepsAreReleasedOnlyWhileTheirListRuns) {
  HookRig rig;
  ChoreList backup = makeList(u"Back up", {makeChore(u"a")});
  backup.hotKey = {'B', kHotKeyAlt};
  Chore wait = makeStep(makeChore(u"b"), WAIT_HOTKEY);
  wait.hotKeyChore = {'G', kHotKeyControl};
  ChoreList waiting = makeList(u"Waiting", {makeStep(makeChore(u"a")), wait});
  waiting.hotKey = {'W', kHotKeyAlt};
  rig.library.appendChoreList(backup);
  const ChoreListId waitingId = rig.library.appendChoreList(waiting);

  // Not running: the step's key does nothing and reaches the program.
  EXPECT_FALSE(rig.press('G', kCtrl));

  EXPECT_TRUE(rig.press('W', kAlt));
  ASSERT_EQ(rig.started, std::vector<ChoreListId>{waitingId});
  const ChoreList running = *rig.library.copyChoreListById(waitingId);
  EXPECT_TRUE(running.inProgress);
  ASSERT_TRUE(running.runSteps[1].completionEvent);
  EXPECT_FALSE(running.runSteps[0].completionEvent);
  EXPECT_TRUE(running.termEvent);

  // Running: the step is released and the key still reaches the program.
  EXPECT_FALSE(rig.press('G', kCtrl));
  auto& released = static_cast<StdEvent&>(*running.runSteps[1].completionEvent);
  EXPECT_EQ(released.setCount(), 1);

  // Edited and renamed while it runs: the run still hears its own key, not
  // the next run's.
  ChoreList edited = waiting;
  edited.name = u"Renamed";
  edited.steps[1].hotKeyChore = {'H', kHotKeyControl};
  ASSERT_TRUE(replaceChoreList(rig.library, u"Waiting", edited));
  EXPECT_FALSE(rig.press('G', kCtrl));
  EXPECT_FALSE(rig.press('H', kCtrl));
  EXPECT_EQ(released.setCount(), 2);

  // A second start is refused, and so is a list that took its old name:
  // the run's events still carry that name.
  EXPECT_TRUE(rig.press('W', kAlt));
  rig.library.appendChoreList(makeList(u"Waiting", {makeChore(u"a")}));
  EXPECT_FALSE(rig.launcher.launchChoreList(u"Waiting"));
  EXPECT_EQ(rig.started.size(), 1u);
  EXPECT_EQ(rig.log.count("Chorelist: Renamed is in progress."), 1);
  EXPECT_EQ(rig.log.activityLines().back().text, "Chorelist: Waiting is in progress.");
  EXPECT_TRUE(rig.log.activityLines().back().isError);
}

TEST(HotKeyHook, CaptureModeRecordsKeysWithTheTitleInFrontExceptTheWizardsOwn) {
  HookRig rig;
  rig.library.appendChore(boundChore(u"Notes", 'N', kHotKeyControl));
  rig.hook.setSuspended(true);
  rig.capture.start();
  rig.windows.foregroundText = u"Untitled - Notepad";
  EXPECT_FALSE(rig.press('N', kCtrl));
  EXPECT_FALSE(rig.press(0xA2, kCtrl));
  rig.windows.foregroundText = u"Chore Wizard";
  EXPECT_FALSE(rig.press('X', kAlt));
  EXPECT_TRUE(rig.press(0x27, kCtrlShift));
  EXPECT_FALSE(rig.capture.active());
  EXPECT_EQ(rig.capture.keys(), (std::vector<CapturedKey>{{'N', kHotKeyControl, u"Untitled - Notepad"}}));
  EXPECT_TRUE(rig.slot.take().command.empty());
}

TEST(ChoreListLauncher, StopSignalsTheRunningListAndAFailedThreadLeavesTheListFree) {
  HookRig rig;
  Chore wait = makeStep(makeChore(u"b"), WAIT_HOTKEY);
  const ChoreListId id = rig.library.appendChoreList(makeList(u"My list\\1", {wait, wait}));

  EXPECT_FALSE(rig.launcher.stopChoreList(u"My list\\1"));
  EXPECT_FALSE(rig.launcher.launchChoreList(u"Nobody"));
  EXPECT_TRUE(rig.launcher.launchChoreList(u"My list\\1"));
  EXPECT_EQ(rig.sync.names, (std::vector<std::u16string>{u"_tolvChoreCmdEvnt_", u"_hkChComp_My_0020list_005c1_0",
                                                        u"_hkChComp_My_0020list_005c1_1",
                                                        u"_hkChoreListTerm_My_0020list_005c1"}));
  EXPECT_TRUE(rig.launcher.stopChoreList(u"My list\\1"));
  const ChoreList stopped = *rig.library.copyChoreListById(id);
  EXPECT_TRUE(stopped.abortRequested);
  EXPECT_EQ(static_cast<StdEvent&>(*stopped.termEvent).setCount(), 1);

  // The runner ends the run; then a thread that cannot start is reported
  // and the list can be started again later.
  rig.library.withChoreList(id, [](ChoreList& list) { list.inProgress = false; });
  rig.threadError = 11;
  EXPECT_FALSE(rig.launcher.launchChoreList(u"My list\\1"));
  EXPECT_EQ(rig.log.activityLines().back().text, "Chorelist: My list\\1, failed to create thread: err=11.");
  EXPECT_TRUE(rig.log.activityLines().back().isError);
  EXPECT_FALSE(rig.library.copyChoreListById(id)->inProgress);
  rig.threadError = 0;
  EXPECT_TRUE(rig.launcher.launchChoreList(u"My list\\1"));
}

TEST(ListEventNames, DistinctListNamesGiveDistinctValidObjectNames) {
  EXPECT_EQ(listTermEventName(u"Daily"), u"_hkChoreListTerm_Daily");
  EXPECT_EQ(stepCompletionEventName(u"Daily", 3), u"_hkChComp_Daily_3");
  // Names that a plain "replace by _" would merge.
  const std::vector<std::u16string> names = {u"a b", u"a_b", u"a\\b", u"a__b", u"a_0020b", u"a b_1", u"a b\x0001"};
  std::set<std::u16string> mangled;
  for (const auto& name : names) {
    const std::u16string object = mangleListName(name);
    EXPECT_EQ(object.find(u'\\'), std::u16string::npos);
    mangled.insert(object);
  }
  EXPECT_EQ(mangled.size(), names.size());
  // The step index never runs into the name.
  EXPECT_NE(stepCompletionEventName(u"a", 12), stepCompletionEventName(u"a_1", 2));

  const std::u16string longA(300, u'\x4e2d');
  std::u16string longB = longA;
  longB.back() = u'\x6587';
  EXPECT_LE(stepCompletionEventName(longA, 999).size(), 260u);
  EXPECT_NE(mangleListName(longA), mangleListName(longB));
}

}  // namespace
}  // namespace tolvane::test
