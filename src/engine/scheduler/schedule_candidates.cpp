#include "engine/scheduler/schedule_candidates.h"

#include <algorithm>
#include <array>

namespace tolvane {
namespace {

bool isEligibleToday(const ChoreSchedule& schedule, const LocalTime& today, const Clock& clock) {
  if (!schedule.runDayOfWeek.empty() && schedule.runDayOfWeek.find(dayToken(today.dayOfWeek)) != std::u16string::npos) {
    return true;
  }
  if (schedule.hasRunDate && sameDay(clock.toLocal(schedule.runDate), today)) return true;
  return schedule.runDayOfWeek.empty() && !schedule.hasRunDate;
}

}  // namespace

bool sameDay(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

std::int64_t startTimeOn(const Clock& clock, const LocalTime& day, std::int64_t runTimeOfDay) {
  const LocalTime timeOfDay = clock.toLocal(runTimeOfDay);
  LocalTime start = day;
  start.hour = timeOfDay.hour;
  start.minute = timeOfDay.minute;
  start.second = timeOfDay.second;
  return clock.fromLocal(start);
}

std::u16string_view dayToken(int dayOfWeek) {
  static constexpr std::array<std::u16string_view, 7> kTokens{u"sun", u"mon", u"tue", u"wed", u"thu", u"fri", u"sat"};
  // A day that could not be told matches no day list (an empty token would
  // match every one).
  static constexpr std::u16string_view kNoDay = u"---";
  return dayOfWeek >= 0 && dayOfWeek < 7 ? kTokens[static_cast<std::size_t>(dayOfWeek)] : kNoDay;
}

std::vector<LaunchCandidate> collectCandidates(const LibraryContents& contents, const Clock& clock,
                                               const CandidateQuery& query) {
  std::vector<LaunchCandidate> candidates;
  if (query.startUp) {
    for (const auto& list : contents.lists) {
      if (list.schedule.runWindows) candidates.push_back({list.id, list.name, query.now, 0});
    }
    return candidates;
  }
  const LocalTime today = clock.toLocal(query.now);
  for (const auto& list : contents.lists) {
    const ChoreSchedule& schedule = list.schedule;
    if (!schedule.hasRunTimeOfDay) continue;
    const std::int64_t startTime = startTimeOn(clock, today, schedule.runTimeOfDay);
    const std::int64_t wait = startTime - query.now;
    if (wait < 0 || (wait == 0 && !query.includeNow)) continue;
    if (!isEligibleToday(schedule, today, clock)) continue;
    candidates.push_back({list.id, list.name, startTime, wait});
  }
  return candidates;
}

std::vector<LaunchCandidate> selectDue(std::span<const LaunchCandidate> candidates) {
  if (candidates.empty()) return {};
  const auto soonest = std::min_element(candidates.begin(), candidates.end(),
                                        [](const auto& a, const auto& b) { return a.wait < b.wait; });
  std::vector<LaunchCandidate> due;
  for (const auto& candidate : candidates) {
    if (candidate.wait == soonest->wait) due.push_back(candidate);
  }
  return due;
}

}  // namespace tolvane
