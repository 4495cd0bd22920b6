#include "editors/schedule/schedule_editor.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_time.h"

namespace tolvane {
namespace {

// Local time is UTC on the fake clock; today is Monday 7 December 2026.
test::FakeTime clock{LocalTime{2026, 12, 7, 10, 0, 0, 1}};

LocalTime at(int hour, int minute, int second) { return {1970, 1, 1, hour, minute, second}; }
LocalTime on(int year, int month, int day) { return {year, month, day}; }

const std::vector<std::u16string> kLists = {u"Morning", u"Backup"};

ScheduleOpening openSchedule(const ChoreSchedule& stored) { return ScheduleEditor(stored, kLists, clock).open(); }

// OK on the editor of `old`: the schedule stored, or none when refused.
std::optional<ChoreSchedule> accepted(ScheduleForm& form, const ChoreSchedule& old) {
  Submission<ChoreSchedule> outcome = ScheduleEditor(old, kLists, clock).submit(form);
  if (auto* schedule = std::get_if<ChoreSchedule>(&outcome)) return *schedule;
  return std::nullopt;
}

TEST(ScheduleEditor, OpeningShowsTheStoredScheduleAndOffersEveryListAfterNone) {
  ChoreSchedule stored;
  stored.runWindows = true;
  stored.hasRunTimeOfDay = true;
  stored.runTimeOfDay = clock.fromLocal({2026, 2, 2, 7, 5, 9});
  stored.runDayOfWeek = u"wedmonsun";
  stored.runPostDelay = 30;
  stored.runRepeatCount = 2;
  stored.nextChorelist = u"Backup";
  stored.alwaysRun = true;

  const ScheduleOpening opening = openSchedule(stored);
  const ScheduleForm& form = opening.form;
  EXPECT_TRUE(form.runWindows);
  EXPECT_TRUE(form.timeOfDayChecked);
  ASSERT_TRUE(form.timeOfDay);
  EXPECT_EQ((std::array{form.timeOfDay->hour, form.timeOfDay->minute, form.timeOfDay->second}), (std::array{7, 5, 9}));
  EXPECT_FALSE(form.dateChecked);
  EXPECT_FALSE(form.date);
  EXPECT_FALSE(form.everyday);
  EXPECT_EQ(form.days, (std::array{true, false, true, false, false, false, true}));
  EXPECT_EQ(form.postDelay, u"30");
  EXPECT_EQ(form.repeatCount, u"2");
  EXPECT_EQ(opening.nextLists, (std::vector<std::u16string>{u"<< None >>", u"Morning", u"Backup"}));
  EXPECT_EQ(opening.nextListIndex, 2);
  EXPECT_TRUE(opening.alwaysRunEnabled);
  EXPECT_TRUE(form.alwaysRun);
  EXPECT_FALSE(opening.staleNextList);
}

TEST(ScheduleEditor, OpeningEverydayChecksOnlyEverydayAndNoNextListSelectsNone) {
  ChoreSchedule stored;
  stored.runEveryday = true;
  stored.runDayOfWeek = kEverydayTokens;
  stored.alwaysRun = true;
  stored.hasRunDate = true;
  stored.runDate = clock.fromLocal(on(2027, 4, 3));

  const ScheduleOpening opening = openSchedule(stored);
  EXPECT_TRUE(opening.form.everyday);
  EXPECT_EQ(opening.form.days, (std::array<bool, 7>{}));
  ASSERT_TRUE(opening.form.date);
  EXPECT_EQ((std::array{opening.form.date->year, opening.form.date->month, opening.form.date->day}),
            (std::array{2027, 4, 3}));
  EXPECT_EQ(opening.nextListIndex, 0);
  EXPECT_EQ(opening.form.nextList, u"<< None >>");
  EXPECT_FALSE(opening.alwaysRunEnabled);
  EXPECT_FALSE(opening.form.alwaysRun);
}

TEST(ScheduleEditor, AStaleNextListIsReportedOnOpeningAndNotKeptByOk) {
  ChoreSchedule stored;
  stored.nextChorelist = u"Gone";
  stored.alwaysRun = true;
  ScheduleOpening opening = openSchedule(stored);
  EXPECT_EQ(opening.nextListIndex, -1);
  ASSERT_TRUE(opening.staleNextList);
  EXPECT_EQ(opening.staleNextList->message,
            u"The next chore list: \"Gone\"\nwas not found in the current chore lists.\nPlease select another from "
            u"the list.");
  EXPECT_EQ(opening.staleNextList->followUp, RefusalFollowUp::DropDown);
  EXPECT_TRUE(opening.staleNextList->concerns(ScheduleField::NextList));
  const std::optional<ChoreSchedule> schedule = accepted(opening.form, stored);
  ASSERT_TRUE(schedule);
  EXPECT_EQ(schedule->nextChorelist, u"");
  EXPECT_FALSE(schedule->alwaysRun);
}

struct OkCase {
  const char* what;
  std::function<void(ScheduleForm&)> change;
  // Either a refusal ...
  std::u16string message;
  ScheduleField field = ScheduleField::PostDelay;
  // ... or what the stored schedule must satisfy.
  std::function<void(const ChoreSchedule&)> expect;
};

// A form that passes every check: a list run daily at 09:30:00.
ScheduleForm validForm() {
  ScheduleForm form;
  form.timeOfDayChecked = true;
  form.timeOfDay = at(9, 30, 0);
  form.postDelay = u"0";
  form.repeatCount = u"0";
  form.nextList = kNoNextList;
  return form;
}

TEST(ScheduleEditor, OkChecksInOrderAndStoresWhatTheControlsHold) {
  ChoreSchedule old;
  old.runTimeOfDay = clock.fromLocal({2026, 2, 2, 6, 0, 0});
  old.runDate = 12345;
  const std::vector<OkCase> cases = {
      {"delay above its range", [](ScheduleForm& f) { f.postDelay = u"3601"; },
       u"Please enter an integer between 0 and 3600.", ScheduleField::PostDelay, {}},
      {"delay checked before the count", [](ScheduleForm& f) { f.postDelay = u"-1", f.repeatCount = u"100"; },
       u"Please enter an integer between 0 and 3600.", ScheduleField::PostDelay, {}},
      {"count above its range", [](ScheduleForm& f) { f.repeatCount = u"100"; },
       u"Please enter an integer between 0 and 99.", ScheduleField::RepeatCount, {}},
      {"pasted letters", [](ScheduleForm& f) { f.repeatCount = u"1x"; },
       u"Please enter an integer between 0 and 99.", ScheduleField::RepeatCount, {}},
      {"days without a time", [](ScheduleForm& f) { f.timeOfDayChecked = false, f.days[2] = true; },
       u"Please specify the Time-of-Day.", ScheduleField::TimeOfDay, {}},
      {"everyday without a time", [](ScheduleForm& f) { f.timeOfDayChecked = false, f.everyday = true; },
       u"Please specify the Time-of-Day.", ScheduleField::TimeOfDay, {}},
      {"bounds and leading zeros", [](ScheduleForm& f) { f.postDelay = u"03600", f.repeatCount = u"99"; }, {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_EQ(s.runPostDelay, 3600);
         EXPECT_EQ(s.runRepeatCount, 99);
       }},
      {"empty numbers", [](ScheduleForm& f) { f.postDelay.clear(), f.repeatCount.clear(); }, {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_EQ(s.runPostDelay, 0);
         EXPECT_EQ(s.runRepeatCount, 0);
       }},
      {"time kept on 2 February of this year", [](ScheduleForm& f) { f.runWindows = true; }, {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_TRUE(s.runWindows);
         EXPECT_TRUE(s.hasRunTimeOfDay);
         EXPECT_EQ(s.runTimeOfDay, clock.fromLocal({2026, 2, 2, 9, 30, 0}));
         EXPECT_FALSE(s.hasRunDate);
         EXPECT_EQ(s.runDate, 0);
         EXPECT_EQ(s.runDayOfWeek, u"");
         EXPECT_FALSE(s.runEveryday);
       }},
      {"checked box without a picked time keeps the old one", [](ScheduleForm& f) { f.timeOfDay.reset(); }, {}, {},
       [&](const ChoreSchedule& s) {
         EXPECT_TRUE(s.hasRunTimeOfDay);
         EXPECT_EQ(s.runTimeOfDay, old.runTimeOfDay);
       }},
      {"a date alone, at local midnight",
       [](ScheduleForm& f) { f.timeOfDayChecked = false, f.dateChecked = true, f.date = LocalTime{2027, 4, 3, 15}; },
       {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_FALSE(s.hasRunTimeOfDay);
         EXPECT_EQ(s.runTimeOfDay, 0);
         EXPECT_TRUE(s.hasRunDate);
         EXPECT_EQ(s.runDate, clock.fromLocal(on(2027, 4, 3)));
       }},
      {"days in week order", [](ScheduleForm& f) { f.days = {true, false, false, false, true, false, true}; }, {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_EQ(s.runDayOfWeek, u"monfrisun");
         EXPECT_FALSE(s.runEveryday);
       }},
      {"everyday with some days", [](ScheduleForm& f) { f.everyday = true, f.days[0] = true; }, {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_EQ(s.runDayOfWeek, u"montuewedthufrisatsun");
         EXPECT_TRUE(s.runEveryday);
       }},
      {"next list, always run", [](ScheduleForm& f) { f.nextList = u"Morning", f.alwaysRun = true; }, {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_EQ(s.nextChorelist, u"Morning");
         EXPECT_TRUE(s.alwaysRun);
       }},
      {"none clears always run", [](ScheduleForm& f) { f.alwaysRun = true; }, {}, {},
       [](const ChoreSchedule& s) {
         EXPECT_EQ(s.nextChorelist, u"");
         EXPECT_FALSE(s.alwaysRun);
       }},
  };
  for (const OkCase& c : cases) {
    ScheduleForm form = validForm();
    c.change(form);
    const Submission<ChoreSchedule> answer = ScheduleEditor(old, kLists, clock).submit(form);
    if (!c.message.empty()) {
      ASSERT_TRUE(std::holds_alternative<Refusal>(answer)) << c.what;
      EXPECT_EQ(std::get<Refusal>(answer), Refusal::at(c.message, c.field)) << c.what;
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<ChoreSchedule>(answer)) << c.what;
    SCOPED_TRACE(c.what);
    c.expect(std::get<ChoreSchedule>(answer));
  }
}

TEST(ScheduleEditor, EmptyNumbersShowZeroEvenWhenOkRefuses) {
  ScheduleForm form = validForm();
  form.postDelay.clear();
  form.repeatCount.clear();
  form.timeOfDayChecked = false;
  form.days[0] = true;
  EXPECT_FALSE(accepted(form, {}));
  EXPECT_EQ(form.postDelay, u"0");
  EXPECT_EQ(form.repeatCount, u"0");
}

TEST(ScheduleEditor, WhatOkStoresOpensAgainTheSame) {
  ScheduleForm form = validForm();
  form.everyday = true;
  form.dateChecked = true;
  form.date = on(2027, 1, 31);
  form.postDelay = u"15";
  form.nextList = u"Backup";
  form.alwaysRun = true;
  form.runMissed = true;
  const ChoreSchedule stored = *accepted(form, {});
  EXPECT_TRUE(stored.runMissed);
  ScheduleOpening again = openSchedule(stored);
  EXPECT_EQ(accepted(again.form, stored), stored);
  EXPECT_TRUE(offersAlwaysRun(u"Backup"));
  EXPECT_FALSE(offersAlwaysRun(kNoNextList));
  EXPECT_FALSE(offersAlwaysRun(u""));
}

}  // namespace
}  // namespace tolvane
