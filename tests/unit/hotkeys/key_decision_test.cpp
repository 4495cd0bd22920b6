#include "engine/hotkeys/key_decision.h"

#include <gtest/gtest.h>

#include "support/library_builders.h"

namespace tolvane::test {
namespace {

constexpr std::uint16_t kKeyK = 'K';
constexpr std::uint16_t kKeyF5 = 0x74;
constexpr ModifierState kNone{};
constexpr ModifierState kCtrl{true, false, false};
constexpr ModifierState kCtrlAlt{true, false, true};
constexpr ModifierState kCtrlShift{true, true, false};

Chore hotKeyChore(std::u16string name, std::uint16_t key, std::uint16_t modifiers) {
  Chore chore = makeChore(std::move(name));
  chore.hotKey = {key, modifiers};
  return chore;
}

struct Table {
  LibraryContents library;
  std::unique_ptr<HotKeyTable> table;

  Table() {
    library.chores.push_back(hotKeyChore(u"CtrlK", kKeyK, kHotKeyControl));
    library.chores.push_back(hotKeyChore(u"F5", kKeyF5, 0));
    library.chores.push_back(hotKeyChore(u"BareK", kKeyK, 0));
    ChoreList list = makeList(u"ListCtrlK", {});
    list.hotKey = {kKeyK, kHotKeyControl};
    list.id = 1;
    library.lists.push_back(list);
    ChoreList listAltK = makeList(u"ListAltK", {});
    listAltK.hotKey = {kKeyK, kHotKeyAlt};
    listAltK.id = 2;
    Chore step = makeStep(makeChore(u"Wait"), WAIT_HOTKEY);
    step.hotKeyChore = {'W', kHotKeyControl | kHotKeyShift};
    ChoreList waiting = makeList(u"Waiting", {step});
    waiting.id = 3;
    library.lists.push_back(listAltK);
    library.lists.push_back(waiting);
    table = std::make_unique<HotKeyTable>(library);
  }

  KeyDecision decide(std::uint16_t key, ModifierState pressed, HookSwitches switches = {}, std::uint32_t flags = 0,
                     int code = 0) const {
    return decideKey({code, key, flags}, pressed, switches, table.get());
  }
};

TEST(KeyDecision, ModifiersMustMatchExactlyAndPlainKeysOtherThanFunctionKeysPassOn) {
  const Table t;
  KeyDecision d = t.decide(kKeyK, kCtrl);
  EXPECT_EQ(d.action, KeyAction::RunChore);
  EXPECT_TRUE(d.swallow());
  EXPECT_EQ(d.entry->name, u"CtrlK");

  // Ctrl+Alt+K is neither Ctrl+K nor Alt+K.
  EXPECT_EQ(t.decide(kKeyK, kCtrlAlt).action, KeyAction::PassOn);
  // K alone can be bound but never fires.
  EXPECT_EQ(t.decide(kKeyK, kNone).action, KeyAction::PassOn);
  // F5 alone fires.
  d = t.decide(kKeyF5, kNone);
  EXPECT_EQ(d.action, KeyAction::RunChore);
  EXPECT_EQ(d.entry->name, u"F5");
  // Unbound keys pass.
  EXPECT_EQ(t.decide('Q', kCtrl).action, KeyAction::PassOn);
}

TEST(KeyDecision, AChoreWinsOverAListAndStepsOnlyPassTheKeyOn) {
  const Table t;
  EXPECT_EQ(t.decide(kKeyK, kCtrl).entry->name, u"CtrlK");
  KeyDecision d = t.decide(kKeyK, {false, false, true});
  EXPECT_EQ(d.action, KeyAction::LaunchList);
  EXPECT_TRUE(d.swallow());
  EXPECT_EQ(d.entry->name, u"ListAltK");

  d = t.decide('W', kCtrlShift);
  EXPECT_EQ(d.action, KeyAction::SignalSteps);
  EXPECT_FALSE(d.swallow());
  EXPECT_EQ(t.decide('W', kCtrl).action, KeyAction::PassOn);
}

TEST(KeyDecision, InjectedReleasedSuspendedAndNegativeCodeKeysAreNotLookedAt) {
  const Table t;
  EXPECT_EQ(t.decide(kKeyK, kCtrl, {}, kKeyFlagInjected).action, KeyAction::PassOn);
  EXPECT_EQ(t.decide(kKeyK, kCtrl, {}, kKeyFlagUp).action, KeyAction::PassOn);
  EXPECT_EQ(t.decide(kKeyK, kCtrl, {}, 0, -1).action, KeyAction::PassOn);
  HookSwitches suspended;
  suspended.suspended = true;
  EXPECT_EQ(t.decide(kKeyK, kCtrl, suspended).action, KeyAction::PassOn);
  suspended.masterKey = {0x27, 0x0B};
  EXPECT_EQ(t.decide(0x27, kCtrlShift, suspended).action, KeyAction::PassOn);
  // None of these needs the modifier keys read; a capture reads them even
  // while suspended.
  EXPECT_FALSE(isKeyToDecide({0, kKeyK, kKeyFlagUp}, false, false));
  EXPECT_FALSE(isKeyToDecide({0, kKeyK, kKeyFlagInjected}, false, false));
  EXPECT_FALSE(isKeyToDecide({-1, kKeyK, 0}, false, false));
  EXPECT_FALSE(isKeyToDecide({0, kKeyK, 0}, true, false));
  EXPECT_TRUE(isKeyToDecide({0, kKeyK, 0}, true, true));
  // Plain typing is settled before the table is looked up; Ctrl+K needs it.
  EXPECT_TRUE(decideWithoutBindings({0, kKeyK, 0}, kNone, {}).has_value());
  EXPECT_FALSE(decideWithoutBindings({0, kKeyK, 0}, kCtrl, {}).has_value());
}

TEST(KeyDecision, MasterKeyTogglesWhateverTheProcessingStateAndDisabledProcessingPassesHotKeys) {
  const Table t;
  HookSwitches switches;
  switches.masterKey = {0x27, 0x0B};  // Ctrl+Shift, extended flag ignored
  EXPECT_EQ(t.decide(0x27, kCtrlShift, switches).action, KeyAction::ToggleMaster);
  EXPECT_EQ(t.decide(0x27, {true, true, true}, switches).action, KeyAction::PassOn);
  switches.processingEnabled = false;
  EXPECT_EQ(t.decide(0x27, kCtrlShift, switches).action, KeyAction::ToggleMaster);
  EXPECT_EQ(t.decide(kKeyK, kCtrl, switches).action, KeyAction::PassOn);
  EXPECT_EQ(t.decide(kKeyF5, kNone, switches).action, KeyAction::PassOn);
}

TEST(KeyDecision, CaptureModeRecordsKeysPassesModifiersAndEndsOnCtrlShiftRightWithOrWithoutAlt) {
  const Table t;
  HookSwitches capture;
  capture.captureMode = true;
  capture.suspended = true;  // the wizard suspends hot keys, capture still works
  EXPECT_EQ(t.decide(kKeyK, kCtrl, capture).action, KeyAction::Record);
  EXPECT_FALSE(t.decide(kKeyK, kCtrl, capture).swallow());
  EXPECT_EQ(t.decide('A', kNone, capture).action, KeyAction::Record);
  for (std::uint16_t modifier = 0xA0; modifier <= 0xA5; ++modifier)
    EXPECT_EQ(t.decide(modifier, kCtrl, capture).action, KeyAction::PassOn);
  const KeyDecision end = t.decide(0x27, kCtrlShift, capture);
  EXPECT_EQ(end.action, KeyAction::EndCapture);
  EXPECT_TRUE(end.swallow());
  EXPECT_EQ(t.decide(0x27, ModifierState{true, true, true}, capture).action, KeyAction::EndCapture);
  EXPECT_EQ(t.decide(0x27, kCtrlAlt, capture).action, KeyAction::Record);
  EXPECT_EQ(t.decide(0x27, kNone, capture).action, KeyAction::Record);
  EXPECT_EQ(t.decide(kKeyK, kCtrl, capture, kKeyFlagInjected).action, KeyAction::PassOn);
}

}  // namespace
}  // namespace tolvane::test
