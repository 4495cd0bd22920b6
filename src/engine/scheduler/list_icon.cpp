#include "engine/scheduler/list_icon.h"

#include <tuple>

#include "engine/scheduler/schedule_candidates.h"

namespace tolvane {

bool isScheduleExpired(const ChoreSchedule& schedule, const Clock& clock, std::int64_t now) {
  if (schedule.runWindows || !schedule.hasRunTimeOfDay || !schedule.hasRunDate) return false;
  const LocalTime today = clock.toLocal(now);
  const LocalTime date = clock.toLocal(schedule.runDate);
  const auto dateKey = std::tie(date.year, date.month, date.day);
  const auto todayKey = std::tie(today.year, today.month, today.day);
  if (dateKey < todayKey) return schedule.runDayOfWeek.empty();
  if (dateKey > todayKey || !schedule.runDayOfWeek.empty()) return false;
  return startTimeOn(clock, today, schedule.runTimeOfDay) <= now;
}

int listIcon(const ChoreSchedule& schedule, const Clock& clock, std::int64_t now) {
  if (isScheduleExpired(schedule, clock, now)) return kListIconExpired;
  return schedule.runWindows || schedule.hasRunTimeOfDay ? kListIconScheduled : kListIconPlain;
}

}  // namespace tolvane
