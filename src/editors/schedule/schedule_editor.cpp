#include "editors/schedule/schedule_editor.h"

#include "base/format.h"
#include "base/text.h"

namespace tolvane {

namespace {

std::optional<LocalTime> pickerValue(bool isSet, std::int64_t value, const Clock& clock) {
  if (!isSet) return std::nullopt;
  return clock.toLocal(value);
}

// A time of day is kept on 2 February of this year, as the chore files
// load it, so that a schedule reads the same before and after a restart.
std::int64_t timeOfDayValue(const LocalTime& picked, const Clock& clock) {
  LocalTime local;
  local.year = clock.toLocal(clock.now()).year;
  local.month = 2;
  local.day = 2;
  local.hour = picked.hour;
  local.minute = picked.minute;
  local.second = picked.second;
  return clock.fromLocal(local);
}

std::int64_t dateValue(const LocalTime& picked, const Clock& clock) {
  LocalTime local;
  local.year = picked.year;
  local.month = picked.month;
  local.day = picked.day;
  return clock.fromLocal(local);
}

// The whole text as a number within the bounds.
std::optional<int> boundedNumber(std::u16string_view text, int highest) {
  long long value = 0;
  if (!parseInt(text, value) || value < 0 || value > highest) return std::nullopt;
  return static_cast<int>(value);
}

Refusal outOfRange(ScheduleField field, int highest) {
  return Refusal::at(formatText(u"Please enter an integer between %d and %d.", 0, highest), field);
}

std::u16string dayTokens(const ScheduleForm& form) {
  if (form.everyday) return kEverydayTokens;
  std::u16string tokens;
  for (std::size_t day = 0; day < kDayTokens.size(); ++day) {
    if (form.days[day]) tokens += kDayTokens[day];
  }
  return tokens;
}

}  // namespace

ScheduleOpening ScheduleEditor::open() const {
  const ChoreSchedule& schedule = existing_;
  const std::vector<std::u16string>& listNames = listNames_;
  const Clock& clock = clock_;
  ScheduleOpening opening;
  opening.caption = u"Set up a schedule";
  ScheduleForm& form = opening.form;
  form.runWindows = schedule.runWindows;
  form.timeOfDayChecked = schedule.hasRunTimeOfDay;
  form.timeOfDay = pickerValue(schedule.hasRunTimeOfDay, schedule.runTimeOfDay, clock);
  form.dateChecked = schedule.hasRunDate;
  form.date = pickerValue(schedule.hasRunDate, schedule.runDate, clock);
  form.runMissed = schedule.runMissed;
  form.everyday = schedule.runEveryday;
  for (std::size_t day = 0; day < kDayTokens.size() && !schedule.runEveryday; ++day) {
    form.days[day] = schedule.runDayOfWeek.find(kDayTokens[day]) != std::u16string::npos;
  }
  form.postDelay = formatText(u"%d", schedule.runPostDelay);
  form.repeatCount = formatText(u"%d", schedule.runRepeatCount);

  opening.nextLists.push_back(kNoNextList);
  opening.nextLists.insert(opening.nextLists.end(), listNames.begin(), listNames.end());
  if (schedule.nextChorelist.empty()) {
    form.nextList = kNoNextList;
    return opening;
  }
  form.alwaysRun = schedule.alwaysRun;
  opening.alwaysRunEnabled = true;
  for (std::size_t i = 0; i < listNames.size(); ++i) {
    if (listNames[i] != schedule.nextChorelist) continue;
    opening.nextListIndex = static_cast<int>(i) + 1;
    form.nextList = schedule.nextChorelist;
    return opening;
  }
  opening.nextListIndex = -1;
  opening.staleNextList = Refusal::droppingDown(ScheduleField::NextList);
  opening.staleNextList->message = formatText(
      u"The next chore list: \"%s\"\nwas not found in the current chore lists.\nPlease select another from the list.",
      schedule.nextChorelist);
  return opening;
}

bool offersAlwaysRun(std::u16string_view nextList) { return !nextList.empty() && nextList != kNoNextList; }

Submission<ChoreSchedule> ScheduleEditor::submit(ScheduleForm& form) const {
  const Clock& clock = clock_;
  if (form.postDelay.empty()) form.postDelay = u"0";
  if (form.repeatCount.empty()) form.repeatCount = u"0";
  const std::optional<int> postDelay = boundedNumber(form.postDelay, kMaxPostDelay);
  if (!postDelay) return outOfRange(ScheduleField::PostDelay, kMaxPostDelay);
  const std::optional<int> repeatCount = boundedNumber(form.repeatCount, kMaxRepeatCount);
  if (!repeatCount) return outOfRange(ScheduleField::RepeatCount, kMaxRepeatCount);

  ChoreSchedule schedule = existing_;
  schedule.runWindows = form.runWindows;
  schedule.hasRunTimeOfDay = form.timeOfDayChecked;
  if (!form.timeOfDayChecked) schedule.runTimeOfDay = 0;
  if (form.timeOfDayChecked && form.timeOfDay) schedule.runTimeOfDay = timeOfDayValue(*form.timeOfDay, clock);
  schedule.hasRunDate = form.dateChecked;
  if (!form.dateChecked) schedule.runDate = 0;
  if (form.dateChecked && form.date) schedule.runDate = dateValue(*form.date, clock);
  schedule.runMissed = form.runMissed;
  schedule.runEveryday = form.everyday;
  schedule.runDayOfWeek = dayTokens(form);
  if (!schedule.runDayOfWeek.empty() && !schedule.hasRunTimeOfDay) {
    return Refusal::at(u"Please specify the Time-of-Day.", ScheduleField::TimeOfDay);
  }

  schedule.runPostDelay = *postDelay;
  schedule.runRepeatCount = *repeatCount;
  const bool hasNext = offersAlwaysRun(form.nextList);
  schedule.nextChorelist = hasNext ? form.nextList : std::u16string();
  schedule.alwaysRun = hasNext && form.alwaysRun;
  return schedule;
}

}  // namespace tolvane
