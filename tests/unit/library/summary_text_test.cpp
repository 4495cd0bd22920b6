#include "library/summary_text.h"

#include <gtest/gtest.h>

#include "support/fake_key_names.h"
#include "support/fake_time.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

TEST(SummaryText, ChoreShowsVerbKeyTargetAndTheListsUsingIt) {
  ChoreLibrary library;
  test::FakeKeyNames keys;
  Chore docs = test::exploreChore(u"Docs", u"C:\\Docs");
  docs.hotKey = {0x4B, kHotKeyControl | kHotKeyAlt};
  Chore button = test::makeChore(u"Ok", CHORE_WNDMSG);
  button.ctrlWndTxt = u"&OK";
  button.menuOption = u"File";
  button.object = u"ignored";
  Chore menu = test::makeChore(u"Menu", CHORE_WNDMSG);
  menu.menuOption = u"File\\Save";
  library.appendChore(docs);
  library.appendChore(button);
  library.appendChore(menu);
  library.appendChoreList(test::makeList(u"One", {docs}));
  library.appendChoreList(test::makeList(u"Two", {button}));
  library.appendChoreList(test::makeList(u"Three", {docs, docs}));

  EXPECT_EQ(choreSummaryText(library, u"Docs", keys),
            u"[Explore a folder]Docs\n[HotKey]Ctrl + Alt + K\n[Object]C:\\Docs\n[Chore list]\nOne\nThree");
  EXPECT_EQ(keys.asked(), (std::vector<std::uint16_t>{0x064B}));
  EXPECT_EQ(choreSummaryText(library, u"Ok", keys), u"[Send a menu or button command]Ok\n[Button]&OK\n[Chore list]\nTwo");
  EXPECT_EQ(choreSummaryText(library, u"Menu", keys), u"[Send a menu or button command]Menu\n[Menu]File\\Save\n[Chore list]");
  EXPECT_EQ(choreSummaryText(library, u"Nope", keys), u"[UNKNOWN]Missing chore");
}

TEST(SummaryText, StepAddsItsCompletionConditionAndShowsAMissingChore) {
  ChoreLibrary library;
  test::FakeKeyNames keys;
  const Chore docs = test::exploreChore(u"Docs", u"C:\\Docs");
  library.appendChore(docs);
  EXPECT_EQ(stepSummaryText(library, test::makeStep(docs, WND_CREATED, u"Docs - Explorer"), keys),
            u"[Explore a folder]Docs\n[Object]C:\\Docs\n[Window created]Docs - Explorer");
  Chore waitKey = test::makeStep(docs, WAIT_HOTKEY, u"not shown");
  waitKey.hotKeyChore = {0x27, kHotKeyControl | kHotKeyShift | kHotKeyExtended};
  EXPECT_EQ(stepSummaryText(library, waitKey, keys),
            u"[Explore a folder]Docs\n[Object]C:\\Docs\n[Wait for hotkey]Ctrl + Shift + Right");
  EXPECT_EQ(stepSummaryText(library, test::makeStep(docs), keys), u"[Explore a folder]Docs\n[Object]C:\\Docs");
  EXPECT_EQ(stepSummaryText(library, test::makeStep(test::makeChore(u"Gone"), DELAY, u"5"), keys),
            u"[UNKNOWN]Missing chore");
}

TEST(SummaryText, ListShowsScheduleOverTheIconAndChainingOverTheLabel) {
  test::FakeTime clock(LocalTime{2026, 6, 15});
  test::FakeKeyNames keys;
  ChoreList list = test::makeList(u"Morning", {test::makeChore(u"a"), test::makeChore(u"b")});
  list.hotKey = {0x74, 0};
  EXPECT_EQ(listSummaryText(list, ListSummaryPart::AwayFromLabel, keys, clock), u"Morning, [Chores]2\n[HotKey]F5");
  EXPECT_EQ(listSummaryText(list, ListSummaryPart::OverLabel, keys, clock), u"Morning, [Chores]2\n[HotKey]F5");

  ChoreSchedule& s = list.schedule;
  s.runEveryday = true;
  s.runDayOfWeek = u"Mon";
  EXPECT_EQ(listSummaryText(list, ListSummaryPart::AwayFromLabel, keys, clock), u"Morning, [Chores]2\n[HotKey]F5");
  s.hasRunTimeOfDay = true;
  s.runTimeOfDay = clock.fromLocal(LocalTime{2026, 2, 2, 19, 5, 9});
  s.hasRunDate = true;
  s.runDate = clock.fromLocal(LocalTime{2007, 4, 3});
  EXPECT_EQ(listSummaryText(list, ListSummaryPart::AwayFromLabel, keys, clock),
            u"Morning, [Chores]2\n[HotKey]F5\n[RunTOD]07:05:09 PM\n[RunEveryday]yes\n[RunDOW]Mon\n[RunDate]04/03/07");
  s.runWindows = true;
  s.runTimeOfDay = clock.fromLocal(LocalTime{2026, 2, 2, 0, 30, 0});
  EXPECT_EQ(listSummaryText(list, ListSummaryPart::AwayFromLabel, keys, clock),
            u"Morning, [Chores]2\n[HotKey]F5\n[RunWhenTolvaneStarts]yes\n[RunTOD]12:30:00 AM\n[RunEveryday]yes"
            u"\n[RunDOW]Mon\n[RunDate]04/03/07");

  s.runPostDelay = 3;
  s.runRepeatCount = 2;
  s.nextChorelist = u"Evening";
  s.alwaysRun = true;
  list.hotKey = {};
  EXPECT_EQ(listSummaryText(list, ListSummaryPart::OverLabel, keys, clock),
            u"Morning, [Chores]2\n[PostDelay]3\n[RepeatCount]2\n[Next chore list]Evening\n[AlwaysRun]yes");
}

TEST(KeyNames, PortableNamesListModifiersThenKey) {
  EXPECT_EQ(portableKeyName(0x064B), u"Ctrl + Alt + K");
  EXPECT_EQ(portableKeyName(0x0B27), u"Ctrl + Shift + Right");
  EXPECT_EQ(portableKeyName(0x0074), u"F5");
  EXPECT_EQ(portableKeyName(0x0731), u"Ctrl + Shift + Alt + 1");
  EXPECT_EQ(portableKeyName(0x0261), u"Ctrl + Num 1");
  EXPECT_EQ(portableKeyName(0x04BA), u"Alt + ;");
  EXPECT_EQ(portableKeyName(0x0220), u"Ctrl + Space");
  EXPECT_EQ(portableKeyName(0x02E5), u"Ctrl + Key e5");
  EXPECT_EQ(portableKeyName(0x0600), u"");
}

}  // namespace
}  // namespace tolvane
