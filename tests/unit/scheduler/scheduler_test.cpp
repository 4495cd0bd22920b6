#include "engine/scheduler/scheduler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "base/text.h"
#include "engine/scheduler/list_icon.h"
#include "engine/scheduler/schedule_candidates.h"
#include "engine/scheduler/handled_starts.h"
#include "support/fake_registry.h"
#include "support/fake_time.h"
#include "support/recording_log_sink.h"
#include "support/recording_run_display.h"

namespace tolvane::test {
namespace {

using ::testing::ElementsAre;

constexpr std::uint64_t kSecond = 1000;
constexpr std::uint64_t kHour = 3600 * kSecond;

struct Launch {
  std::string name;
  std::uint64_t atMs;
  friend bool operator==(const Launch&, const Launch&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Launch& l) { return out << l.name << "@" << l.atMs; }
};

// A scheduler world: fake time, a library, and what the scheduler did.
struct SchedulerRig {
  void startAt(LocalTime start) { time = std::make_unique<FakeTime>(start); }

  ChoreList timed(std::u16string name, int hour, int minute, int second, std::u16string days = {}) {
    ChoreList list;
    list.name = std::move(name);
    list.schedule.hasRunTimeOfDay = true;
    list.schedule.runTimeOfDay = time->fromLocal({2001, 5, 5, hour, minute, second});
    list.schedule.runDayOfWeek = std::move(days);
    return list;
  }

  ChoreList dated(std::u16string name, int hour, LocalTime date) {
    ChoreList list = timed(std::move(name), hour, 0, 0);
    list.schedule.hasRunDate = true;
    list.schedule.runDate = time->fromLocal(date);
    return list;
  }

  void exitAt(std::uint64_t ms) {
    time->at(ms, [this] {
      exitCommand = true;
      commandEvent->set();
    });
  }

  // At `ms`, the list named `name` takes the schedule of `edited`, and the
  // scheduler is woken as the schedule editor's OK wakes it.
  void editScheduleAt(std::uint64_t ms, std::u16string name, const ChoreList& edited) {
    time->at(ms, [this, name = std::move(name), schedule = edited.schedule] {
      library.edit([&](LibraryContents& contents) {
        for (auto& list : contents.lists)
          if (list.name == name) list.schedule = schedule;
      });
      commandEvent->set();
    });
  }

  SchedulerContext context() {
    if (!commandEvent) commandEvent = time->createEvent(u"_tolvSchedCmdEvnt_", false, false);
    return SchedulerContext{
        library, *time, *time, log, *commandEvent, [this] { return exitCommand.load(); },
        [this] { return debugLogging; },
        [this](std::u16string_view name) {
          std::scoped_lock lock(launchMutex);
          launches.push_back({toUtf8(name), time->elapsedMs()});
        },
        &display,
        &registry};
  }

  void runUntil(std::uint64_t exitMs) {
    exitAt(exitMs);
    schedulerThreadProc(context());
  }

  // One run of Tolvane from `start` for `ms`, with the library and the
  // registry the last one left.
  void session(LocalTime start, std::uint64_t ms) {
    startAt(start);
    commandEvent.reset();
    exitCommand = false;
    runUntil(ms);
  }

  std::vector<Launch> launched() {
    std::scoped_lock lock(launchMutex);
    return launches;
  }

  std::unique_ptr<FakeTime> time = std::make_unique<FakeTime>(LocalTime{2026, 12, 7, 8, 59, 30});  // a Monday
  RecordingLogSink log{nullptr};
  ChoreLibrary library;
  RecordingRunDisplay display;
  FakeRegistry registry;
  std::shared_ptr<Event> commandEvent;
  std::atomic<bool> exitCommand{false};
  bool debugLogging = false;
  std::mutex launchMutex;
  std::vector<Launch> launches;
};

class SchedulerTest : public ::testing::Test, public SchedulerRig {};

TEST_F(SchedulerTest, ListsDueAtTheSameSecondStartTogetherInLibraryOrder) {
  library.appendChoreList(timed(u"Second", 9, 0, 0));
  library.appendChoreList(timed(u"Later", 9, 0, 1));
  library.appendChoreList(timed(u"First", 9, 0, 0));
  runUntil(60 * kSecond);

  EXPECT_THAT(launched(), ElementsAre(Launch{"Second", 30 * kSecond}, Launch{"First", 30 * kSecond},
                                      Launch{"Later", 31 * kSecond}));
  EXPECT_EQ(log.count("Chore list: Second launched per its schedule."), 1);
  const auto calls = display.calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "pending Later"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "scheduled First"), calls.end());
  EXPECT_THAT(log.debugTexts(), ElementsAre("...entering Tolvane scheduler...", "...exiting Tolvane scheduler..."));
}

TEST_F(SchedulerTest, CandidatesFollowDaysDatesAndTheTimeLeftToday) {
  startAt({2026, 12, 10, 10, 0, 0});  // a Thursday
  LibraryContents contents;
  contents.lists = {timed(u"MonTueWed", 12, 0, 0, u"montuewed"), timed(u"Thu", 12, 0, 0, u"thu"),
                    dated(u"Today", 13, {2026, 12, 10}),         dated(u"Tomorrow", 12, {2026, 12, 11}),
                    timed(u"Daily", 11, 0, 0),                   timed(u"Passed", 9, 0, 0),
                    timed(u"Now", 10, 0, 0),                     timed(u"Capital", 12, 0, 0, u"Thu")};
  contents.lists.push_back(dated(u"MonOrToday", 12, {2026, 12, 10}));
  contents.lists.back().schedule.runDayOfWeek = u"mon";
  const auto candidates = collectCandidates(contents, *time, {.now = time->now()});
  std::vector<std::string> names;
  for (const auto& c : candidates) names.push_back(toUtf8(c.name) + ":" + std::to_string(c.wait));
  EXPECT_THAT(names, ElementsAre("Thu:7200", "Today:10800", "Daily:3600", "MonOrToday:7200"));

  const auto due = selectDue(candidates);
  ASSERT_EQ(due.size(), 1u);
  EXPECT_EQ(due[0].name, u"Daily");

  // Passed since 09:00 the day before, a Wednesday: both days count.
  names.clear();
  for (const auto& c : collectPassed(contents, *time, time->now() - 25 * 3600, time->now()))
    names.push_back(toUtf8(c.name) + ":" + std::to_string(c.wait));
  EXPECT_THAT(names, ElementsAre("Now:-86400", "Daily:-82800", "MonTueWed:-79200", "Passed:-3600", "Now:0"));
}

TEST_F(SchedulerTest, AFarScheduleIsApproachedAnHourAtATime) {
  startAt({2026, 12, 7, 10, 0, 0});
  debugLogging = true;
  log.setClock(time.get());
  library.appendChoreList(timed(u"Evening", 18, 0, 0));
  runUntil(9 * kHour);

  EXPECT_THAT(launched(), ElementsAre(Launch{"Evening", 8 * kHour}));
  std::vector<std::uint64_t> evaluations;
  for (const auto& line : log.activityLines()) {
    if (line.text == "Scheduler: Number of schedules=1.") evaluations.push_back(line.atMs / kHour);
  }
  EXPECT_THAT(evaluations, ElementsAre(0, 1, 2, 3, 4, 5, 6, 7));
  EXPECT_TRUE(log.find("Scheduler: launch candidates total=1; choreList: Evening"));
  EXPECT_TRUE(log.find("Scheduler: Number of schedules=0."));
}

TEST_F(SchedulerTest, ListsThatRunWithTolvaneStartOnceAtStartUp) {
  ChoreList atStart;
  atStart.name = u"AtStart";
  atStart.schedule.runWindows = true;
  library.appendChoreList(atStart);
  ChoreList both = timed(u"Both", 3, 0, 0);
  both.schedule.runWindows = true;
  library.appendChoreList(both);
  runUntil(2 * kHour);
  EXPECT_THAT(launched(), ElementsAre(Launch{"AtStart", 0}, Launch{"Both", 0}));
}

TEST_F(SchedulerTest, TheNextDaysSchedulesAreTakenUpAfterMidnight) {
  startAt({2026, 12, 7, 20, 0, 0});
  library.appendChoreList(timed(u"Morning", 8, 0, 0));
  library.appendChoreList(timed(u"Midnight", 0, 0, 0));
  library.appendChoreList(timed(u"TuesdayOnly", 7, 0, 0, u"tue"));
  library.appendChoreList(timed(u"MondayOnly", 6, 0, 0, u"mon"));
  runUntil(37 * kHour);
  EXPECT_THAT(launched(), ElementsAre(Launch{"Midnight", 4 * kHour}, Launch{"TuesdayOnly", 11 * kHour},
                                      Launch{"Morning", 12 * kHour}, Launch{"Midnight", 28 * kHour},
                                      Launch{"Morning", 36 * kHour}));
}

TEST_F(SchedulerTest, ListsDeletedSortedRenamedOrAddedDuringTheSleepAreNeverConfused) {
  startAt({2026, 12, 7, 8, 0, 0});
  library.appendChoreList(timed(u"A", 9, 0, 0));
  library.appendChoreList(timed(u"B", 9, 0, 0));
  library.appendChoreList(timed(u"C", 9, 0, 0));
  time->at(30 * 60 * kSecond, [&] {
    library.edit([&](LibraryContents& contents) {
      std::erase_if(contents.lists, [](const ChoreList& l) { return l.name == u"A"; });
      std::reverse(contents.lists.begin(), contents.lists.end());
      contents.lists[1].name = u"Bee";
      contents.lists.push_back(timed(u"D", 9, 0, 0));
      contents.lists.push_back(timed(u"E", 9, 30, 0));
    });
  });
  runUntil(2 * kHour);
  // D, added without a wake-up, is first seen at 09:00 itself and counts
  // from then on; the main window wakes the scheduler for every list it stores.
  EXPECT_THAT(launched(), ElementsAre(Launch{"C", kHour}, Launch{"Bee", kHour}, Launch{"E", kHour + kHour / 2}));
}

TEST_F(SchedulerTest, AScheduleSetBehindTheClockCountsFromTheLookThatFirstSeesIt) {
  struct Row {
    const char* what;
    std::uint64_t editAtMs;
    int hour, minute, second;
    std::uint64_t nextDayMs;
  };
  const Row rows[] = {
      // The time box fills in the time it was ticked; OK comes 15 s later.
      {"ticked and accepted at once", 20 * kSecond, 9, 0, 5, 24 * kHour + 5 * kSecond},
      // The last look was at 09:00; a time between it and the edit.
      {"between the last look and the edit", 30 * 60 * kSecond, 9, 15, 0, 24 * kHour + kHour / 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SchedulerRig rig;
    rig.startAt({2026, 12, 7, 9, 0, 0});
    rig.library.appendChoreList(rig.timed(u"Other", 11, 0, 0));
    ChoreList edited;
    edited.name = u"Edited";
    rig.library.appendChoreList(edited);
    rig.editScheduleAt(row.editAtMs, u"Edited", rig.timed(u"", row.hour, row.minute, row.second));
    rig.runUntil(25 * kHour);
    // Not today, but every day from tomorrow.
    EXPECT_THAT(rig.launched(), ElementsAre(Launch{"Other", 2 * kHour}, Launch{"Edited", row.nextDayMs}));
    EXPECT_EQ(rig.log.count("was skipped"), 0);
  }
}

TEST_F(SchedulerTest, AWakeUpReevaluatesAndExitEndsTheThread) {
  startAt({2026, 12, 7, 10, 0, 0});
  library.appendChoreList(timed(u"Moved", 18, 0, 0));
  time->at(10 * 60 * kSecond, [&] {
    library.edit([&](LibraryContents& contents) { contents.lists[0].schedule.runTimeOfDay = timed(u"", 10, 30, 0).schedule.runTimeOfDay; });
    commandEvent->set();
  });
  runUntil(20 * kHour);
  EXPECT_THAT(launched(), ElementsAre(Launch{"Moved", 30 * 60 * kSecond}));
}

TEST_F(SchedulerTest, ATimeChangeSignalKeepsListsOnTimeAndListsItJumpsOverAreSkippedWithALine) {
  startAt({2026, 12, 7, 10, 0, 0});
  library.appendChoreList(timed(u"Noon", 12, 0, 0));
  library.appendChoreList(timed(u"Eleven", 11, 0, 0));
  library.appendChoreList(timed(u"JustBefore", 11, 49, 30));
  // The clock is set 1 h 40 min forward ten minutes in: wall time 11:50.
  time->at(10 * 60 * kSecond, [&] {
    time->shiftWallClock(6000);
    commandEvent->set();
  });
  runUntil(kHour);
  // A list 30 s behind still starts; one an hour behind is skipped.
  EXPECT_THAT(launched(), ElementsAre(Launch{"JustBefore", 10 * 60 * kSecond}, Launch{"Noon", 20 * 60 * kSecond}));
  const auto skipped = log.find("Chore list: Eleven was skipped; it was due at 11:00:00 on 12/07/2026.");
  ASSERT_TRUE(skipped);
  EXPECT_TRUE(skipped->isError);
  EXPECT_EQ(log.count("was skipped"), 1);
}

TEST_F(SchedulerTest, ListsDueWhileTheMachineSleptAreSkippedWithALineEachAcrossMidnight) {
  startAt({2026, 12, 7, 22, 0, 0});
  library.appendChoreList(timed(u"Late", 23, 0, 0));
  library.appendChoreList(timed(u"Early", 6, 0, 0));
  library.appendChoreList(timed(u"Breakfast", 9, 0, 0));
  // The machine sleeps ten minutes in, for nine hours, without the wait
  // noticing: it ends an hour later by the wall clock, at 08:00.
  time->at(10 * 60 * kSecond, [&] { time->shiftWallClock(9 * 3600); });
  runUntil(3 * kHour);
  EXPECT_THAT(log.activityTexts(), ElementsAre("Chore list: Late was skipped; it was due at 23:00:00 on 12/07/2026.",
                                               "Chore list: Early was skipped; it was due at 06:00:00 on 12/08/2026.",
                                               "Chore list: Breakfast launched per its schedule."));
  EXPECT_THAT(launched(), ElementsAre(Launch{"Breakfast", 2 * kHour}));
}

// The scheduler on its own thread while the user edits the library and
// shutdown comes from another thread; run under ThreadSanitizer as well.
TEST_F(SchedulerTest, RunsOnItsOwnThreadAlongsideLibraryEdits) {
  startAt({2026, 12, 7, 8, 0, 0});
  time->setAutoAdvance(false);
  library.appendChoreList(timed(u"One", 8, 0, 30));
  library.appendChoreList(timed(u"Two", 8, 0, 30));
  const SchedulerContext shared = context();
  auto participation = std::make_unique<FakeTime::Participation>(*time);
  std::thread scheduler([&, participation = std::move(participation)]() mutable {
    schedulerThreadProc(shared);
    participation.reset();
  });
  time->advance(10 * kSecond);
  library.edit([](LibraryContents& contents) { std::swap(contents.lists[0], contents.lists[1]); });
  time->advance(30 * kSecond);
  exitCommand = true;
  commandEvent->set();
  scheduler.join();
  EXPECT_THAT(launched(), ElementsAre(Launch{"Two", 30 * kSecond}, Launch{"One", 30 * kSecond}));
}

TEST(SchedulerCatchUp, MissedStartsAreSkippedOrRunOnceLateAsTheListChooses) {
  // "Nine" runs at 09:00. Tolvane runs from `first` for an hour, in which
  // the wall clock may jump `jump` seconds ten minutes in (woken as a time
  // change wakes it, or unnoticed as a sleep); then once more for a minute
  // from each of `again`.
  struct Row {
    const char* what;
    bool runMissed, runWindows;
    LocalTime first;
    int jump;
    bool woken;
    std::vector<LocalTime> again;
    std::vector<Launch> launches;
    std::vector<std::string> lines;
  };
  const LocalTime at7{2026, 12, 7, 7}, at8{2026, 12, 7, 8}, at10{2026, 12, 7, 10}, thursday{2026, 12, 10, 10};
  const auto due = [](std::string what, std::string day) {
    return "Chore list: Nine " + what + "; it was due at 09:00:00 on 12/" + day + "/2026.";
  };
  const std::string late = due("was started late", "07"), skipped = due("was skipped", "07");
  const std::string atStart = "Chore list: Nine launched per its schedule.";
  const Row rows[] = {
      {"asleep across the start", true, false, at8, 2 * 3600, false, {}, {{"Nine", kHour}}, {late}},
      {"the clock set forward past it", true, false, at8, 3600, true, {}, {{"Nine", 10 * 60 * kSecond}}, {late}},
      {"closed from 08:00 to 10:00, then to 10:05", true, false, at7, 0, false, {at10, {2026, 12, 7, 10, 5}},
       {{"Nine", 0}}, {late}},
      {"closed from 08:00 to 10:00, box off", false, false, at7, 0, false, {at10}, {}, {skipped}},
      {"closed for three days", true, false, at7, 0, false, {thursday}, {{"Nine", 0}},
       {due("was started late", "10")}},
      {"closed for three days, box off", false, false, at7, 0, false, {thursday}, {},
       {skipped, due("was skipped", "08"), due("was skipped", "09"), due("was skipped", "10")}},
      {"nothing known from before", true, false, at10, 0, false, {}, {}, {}},
      {"it runs with Tolvane too", true, true, at7, 0, false, {at10}, {{"Nine", 0}, {"Nine", 0}}, {atStart, atStart}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SchedulerRig rig;
    ChoreList nine = rig.timed(u"Nine", 9, 0, 0);
    nine.schedule.runMissed = row.runMissed;
    nine.schedule.runWindows = row.runWindows;
    rig.library.appendChoreList(nine);
    rig.startAt(row.first);
    rig.time->at(10 * 60 * kSecond, [&rig, &row] {
      rig.time->shiftWallClock(row.jump);
      if (row.woken) rig.commandEvent->set();
    });
    rig.runUntil(kHour + 1);
    for (const LocalTime& start : row.again) rig.session(start, 60 * kSecond);
    EXPECT_EQ(rig.launched(), row.launches);
    std::vector<std::string> lines;
    for (const auto& line : rig.log.activityTexts())
      if (line.starts_with("Chore list: Nine")) lines.push_back(line);
    EXPECT_EQ(lines, row.lines);
  }
}

// Turning the box on catches up no start missed before: the look after the
// change goes by the schedule as it was.
TEST_F(SchedulerTest, TheMissedStartBoxTurnedOnAfterAMissCatchesNothingUp) {
  startAt({2026, 12, 7, 8, 0, 0});
  library.appendChoreList(timed(u"Nine", 9, 0, 0));
  time->at(10 * 60 * kSecond, [&] { time->shiftWallClock(80 * 60); });
  ChoreList on = timed(u"", 9, 0, 0);
  on.schedule.runMissed = true;
  editScheduleAt(11 * 60 * kSecond, u"Nine", on);
  runUntil(kHour);
  EXPECT_THAT(log.activityTexts(), ElementsAre("Chore list: Nine was skipped; it was due at 09:00:00 on 12/07/2026."));
  EXPECT_TRUE(launched().empty());
}

TEST(HandledStarts, EveryNameComesBackAndADamagedValueKeepsWhatCameBefore) {
  const HandledStarts starts = {{u"Daily", 1796630400}, {u"a,1;b", -5}, {u"", 7}, {u"\x4e2d\nx", 0}};
  EXPECT_EQ(decodeHandledStarts(encodeHandledStarts(starts)), starts);
  EXPECT_EQ(encodeHandledStarts({{u"Daily", 12}}), u"12,5,Daily;");
  const std::pair<std::u16string_view, HandledStarts> damaged[] = {
      {u"12,5,Daily;13,5,Dail", {{u"Daily", 12}}},
      {u"12,5,Daily;x,1,a;", {{u"Daily", 12}}},
      {u"12,9,Daily;", {}},
      {u"12,-1,;", {}},
      {u"12,5,Daily!", {}},
      {u"99999999999999999999999,1,a;", {}},
  };
  for (const auto& [text, expected] : damaged) EXPECT_EQ(decodeHandledStarts(text), expected) << toUtf8(text);

  FakeRegistry registry;
  EXPECT_TRUE(loadHandledStarts(registry).empty());
  saveHandledStarts(registry, starts);
  EXPECT_EQ(loadHandledStarts(registry), starts);
}

TEST(ListIcon, ScheduleDecidesPlainScheduledOrExpired) {
  FakeTime time({2026, 12, 7, 12, 0, 0});
  const std::int64_t now = time.now();
  ChoreSchedule schedule;
  EXPECT_EQ(listIcon(schedule, time, now), kListIconPlain);
  schedule.runWindows = true;
  EXPECT_EQ(listIcon(schedule, time, now), kListIconScheduled);

  schedule = {};
  schedule.hasRunTimeOfDay = true;
  schedule.runTimeOfDay = time.fromLocal({2000, 1, 1, 11, 0, 0});
  schedule.hasRunDate = true;
  schedule.runDate = time.fromLocal({2026, 12, 7});
  EXPECT_EQ(listIcon(schedule, time, now), kListIconExpired);  // today, time passed
  schedule.runTimeOfDay = time.fromLocal({2000, 1, 1, 13, 0, 0});
  EXPECT_EQ(listIcon(schedule, time, now), kListIconScheduled);  // today, still ahead
  schedule.runDate = time.fromLocal({2026, 12, 6});
  EXPECT_EQ(listIcon(schedule, time, now), kListIconExpired);  // yesterday
  schedule.runDayOfWeek = u"mon";
  EXPECT_EQ(listIcon(schedule, time, now), kListIconScheduled);  // days keep it alive
  schedule.runDayOfWeek.clear();
  schedule.runDate = time.fromLocal({2026, 12, 9});
  schedule.runTimeOfDay = time.fromLocal({2000, 1, 1, 9, 0, 0});
  EXPECT_EQ(listIcon(schedule, time, now), kListIconScheduled);  // a date still ahead
  schedule.runWindows = true;
  schedule.runDate = time.fromLocal({2020, 1, 1});
  EXPECT_EQ(listIcon(schedule, time, now), kListIconScheduled);  // starts with Tolvane
}

}  // namespace
}  // namespace tolvane::test
