#include "tools/tolvanectl/lint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "library/chore_types.h"
#include "support/fake_key_names.h"
#include "support/fake_time.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

constexpr std::uint16_t kCtrlAlt = kHotKeyControl | kHotKeyAlt;

// Thursday 12 March 2026, 10:00.
const LocalTime kNow{2026, 3, 12, 10, 0, 0, 4, 0};

// Every rule met: a function key alone, a chore's key, two waiting steps
// sharing a key, a list chaining to itself, days, a date to come.
LibraryContents cleanLibrary(const Clock& clock) {
  Chore docs = test::exploreChore(u"Docs", u"C:\\Docs");
  docs.hotKey = {'D', kCtrlAlt};
  Chore win = test::makeChore(u"Win", CHORE_WINOP);
  win.hotKey = {0x74, 0};
  win.notifyCode = kWindowOpClose;
  win.mainWndTxt = u"Untitled - Notepad";
  Chore wait = test::makeStep(docs, WAIT_HOTKEY);
  wait.hotKeyChore = {'W', kCtrlAlt};

  ChoreList morning = test::makeList(u"Morning", {wait, win});
  morning.hotKey = {'M', kHotKeyAlt};
  morning.schedule.hasRunTimeOfDay = true;
  morning.schedule.runTimeOfDay = clock.fromLocal({2026, 2, 2, 9});
  morning.schedule.runDayOfWeek = u"montuewed";
  morning.schedule.nextChorelist = u"Morning";
  ChoreList evening = test::makeList(u"Evening", {wait});
  evening.schedule.hasRunTimeOfDay = true;
  evening.schedule.runTimeOfDay = clock.fromLocal({2026, 2, 2, 18});
  evening.schedule.hasRunDate = true;
  evening.schedule.runDate = clock.fromLocal({2026, 12, 24});
  evening.schedule.nextChorelist = u"Morning";
  return {{docs, win}, {morning, evening}};
}

struct Lint {
  LibraryContents& library;
  const Clock& clock;
  std::optional<HotKeyCode>& masterKey;
  Chore& docs() { return library.chores[0]; }
  Chore& win() { return library.chores[1]; }
  ChoreList& morning() { return library.lists[0]; }
  ChoreList& evening() { return library.lists[1]; }
  ChoreSchedule& evenings() { return evening().schedule; }
};

TEST(Lint, FindsWhatTheProgramWouldStumbleOver) {
  struct Case {
    const char* what;
    std::function<void(Lint&)> change;
    std::vector<std::u16string> findings;
  };
  const Case cases[] = {
      {"clean", [](Lint&) {}, {}},
      {"the first chore keeps a key; the hook tells keys apart by Ctrl, Shift and Alt alone",
       [](Lint& l) {
         l.library.chores.push_back(test::makeChore(u"Again"));
         l.library.chores.back().hotKey = {'D', kCtrlAlt | kHotKeyExtended};
         l.evening().hotKey = l.docs().hotKey;
       },
       {u"chore \"Again\": Hotkey: Ctrl + Alt + D is already used by \"Docs\".",
        u"list \"Evening\": Hotkey: Ctrl + Alt + D is already used by \"Docs\"."}},
      {"a waiting step loses its key to a list, even its own",
       [](Lint& l) { l.morning().steps[0].hotKeyChore = l.morning().hotKey; },
       {u"list \"Morning\", step 1 \"Docs\": Hotkey: Alt + M is already used by \"Morning\"."}},
      {"Ctrl+Shift+Right with anything else, and the master key from the settings, are Tolvane's",
       [](Lint& l) {
         l.docs().hotKey = {kVirtualKeyRight, kHotKeyControl | kHotKeyShift | kHotKeyAlt};
         l.masterKey = l.morning().hotKey;
       },
       {u"chore \"Docs\": Hotkey: Ctrl + Shift + Alt + Right is already used by \"Tolvane\".",
        u"list \"Morning\": Hotkey: Alt + M is already used by \"Tolvane\"."}},
      {"a key without Ctrl or Alt that is not F1 to F24",
       [](Lint& l) { l.docs().hotKey = {'K', kHotKeyShift}; },
       {u"chore \"Docs\": Hotkey: Shift + K can never fire: it needs Ctrl or Alt, or one of F1 to F24."}},
      {"a next list that is not there",
       [](Lint& l) { l.evenings().nextChorelist = u"Night"; },
       {u"list \"Evening\": The next chore list: \"Night\" was not found in the current chore lists."}},
      {"a loop is told once, from its first list; a list leading into it is not in it",
       [](Lint& l) {
         l.morning().schedule.nextChorelist = u"Evening";
         l.library.lists.push_back(test::makeList(u"Lead"));
         l.library.lists.back().schedule.nextChorelist = u"Evening";
         std::rotate(l.library.lists.rbegin(), l.library.lists.rbegin() + 1, l.library.lists.rend());
       },
       {u"list \"Morning\": its next chore lists run in a loop: \"Morning\" -> \"Evening\" -> \"Morning\""}},
      {"days or a date without a time",
       [](Lint& l) {
         l.morning().schedule.hasRunTimeOfDay = false;
         l.evenings().hasRunTimeOfDay = false;
         l.evenings().runEveryday = true;
       },
       {u"list \"Morning\": its schedule can never start it: days without a time",
        u"list \"Evening\": its schedule can never start it: days without a time; a date without a time"}},
      {"a date whose time passed today; no day token (tokens are case-sensitive), but a date to come",
       [](Lint& l) {
         l.evenings().runDate = l.clock.fromLocal({2026, 3, 12});
         l.evenings().runTimeOfDay = l.clock.fromLocal({2026, 2, 2, 9, 59, 59});
         l.morning().schedule.runDayOfWeek = u"Mon,Tue";
         l.morning().schedule.hasRunDate = true;
         l.morning().schedule.runDate = l.clock.fromLocal({2026, 3, 12});
         l.morning().schedule.runTimeOfDay = l.clock.fromLocal({2026, 2, 2, 10, 0, 1});
       },
       {u"list \"Evening\": its schedule can never start it: its date 03/12/2026 has passed"}},
      {"a list that catches up missed starts can still start on a date passed within the week, not before",
       [](Lint& l) {
         l.evenings().runMissed = true;
         l.evenings().runDate = l.clock.fromLocal({2026, 3, 6});
         l.morning().schedule.runMissed = true;
         l.morning().schedule.runDayOfWeek.clear();
         l.morning().schedule.hasRunDate = true;
         l.morning().schedule.runDate = l.clock.fromLocal({2026, 3, 4});
       },
       {u"list \"Morning\": its schedule can never start it: its date 03/04/2026 has passed"}},
      {"no day token and no date",
       [](Lint& l) { l.morning().schedule.runDayOfWeek = u"Mon,Tue"; },
       {u"list \"Morning\": its schedule can never start it: "
        u"the days \"Mon,Tue\" name no day (sun, mon, tue, wed, thu, fri, sat)"}},
      {"names that differ only in ASCII letter case, across chores and lists; a name used twice",
       [](Lint& l) {
         l.library.chores.push_back(test::makeChore(u"docs"));
         l.library.chores.push_back(test::makeChore(u"\u00C4pfel"));
         l.library.chores.push_back(test::makeChore(u"\u00E4pfel"));
         l.library.lists.push_back(test::makeList(u"WIN"));
         l.library.lists.push_back(test::makeList(u"Evening"));
       },
       {u"chore \"docs\": its name differs only in letter case from chore \"Docs\"",
        u"list \"WIN\": its name differs only in letter case from chore \"Win\"",
        u"list \"Evening\": Name: \"Evening\" is already used."}},
      {"a window operation with no known code, no window, or a Position without one",
       [](Lint& l) {
         l.win().notifyCode = 0x1234;
         l.win().mainWndTxt.clear();
         l.library.chores.push_back(l.win());
         l.library.chores.back().name = u"Place";
         l.library.chores.back().notifyCode = WINOP_POSITION;
         l.library.chores.back().mainWndCls = u"Notepad";
         l.library.chores.back().hotKey = {};
       },
       {u"chore \"Win\": window operation code 4660 is none of Close, Minimize, Maximize, Restore, Position",
        u"chore \"Win\": no window to look for: it has neither a window title nor a class",
        u"chore \"Place\": \"Position\" has no valid window position"}},
  };
  for (const Case& c : cases) {
    test::FakeTime time(kNow);
    test::FakeKeyNames keys;
    LibraryContents library = cleanLibrary(time);
    std::optional<HotKeyCode> masterKey;
    Lint lint{library, time, masterKey};
    c.change(lint);
    EXPECT_EQ(lintLibrary(library, {}, {keys, time, masterKey}), c.findings) << c.what;
  }
}

}  // namespace
}  // namespace tolvane
