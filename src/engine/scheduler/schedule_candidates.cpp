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

// Calls `found(list, startTime)` for each list that runs on `day`.
template <typename Found>
void forEachStartOn(const LibraryContents& contents, const Clock& clock, const LocalTime& day, Found found) {
  for (const auto& list : contents.lists) {
    const ChoreSchedule& schedule = list.schedule;
    if (!schedule.hasRunTimeOfDay || !isEligibleToday(schedule, day, clock)) continue;
    found(list, startTimeOn(clock, day, schedule.runTimeOfDay));
  }
}

// Noon of the day after, with its weekday: noon is never skipped or
// repeated by a change of daylight saving.
LocalTime nextDay(const Clock& clock, const LocalTime& day) {
  LocalTime noon{day.year, day.month, day.day + 1, 12};
  return clock.toLocal(clock.fromLocal(noon));
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
  forEachStartOn(contents, clock, clock.toLocal(query.now), [&](const ChoreList& list, std::int64_t startTime) {
    if (startTime > query.now) candidates.push_back({list.id, list.name, startTime, startTime - query.now});
  });
  return candidates;
}

std::vector<LaunchCandidate> collectPassed(const LibraryContents& contents, const Clock& clock, std::int64_t from,
                                           std::int64_t to) {
  std::vector<LaunchCandidate> passed;
  if (to <= from) return passed;
  const std::int64_t earliest = std::max(from, to - std::int64_t{kPassedLookBackDays} * 86400);
  const LocalTime last = clock.toLocal(to);
  LocalTime day = clock.toLocal(earliest);
  // Counted, so that days the clock cannot convert cannot keep it here.
  for (int days = 0; days <= kPassedLookBackDays + 1; ++days, day = nextDay(clock, day)) {
    forEachStartOn(contents, clock, day, [&](const ChoreList& list, std::int64_t startTime) {
      if (startTime > from && startTime <= to)
        passed.push_back({list.id, list.name, startTime, startTime - to, list.schedule.runMissed});
    });
    if (sameDay(day, last)) break;
  }
  std::stable_sort(passed.begin(), passed.end(),
                   [](const auto& a, const auto& b) { return a.startTime < b.startTime; });
  return passed;
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
