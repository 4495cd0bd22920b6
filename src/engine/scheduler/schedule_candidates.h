#pragma once
// Which chore lists are due to start by their schedules, and when.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "library/chore_library.h"
#include "platform/clock.h"

namespace tolvane {

struct LaunchCandidate {
  ChoreListId id = 0;
  std::u16string name;
  std::int64_t startTime = 0;  // calendar seconds
  std::int64_t wait = 0;       // seconds from now
  bool runMissed = false;      // the list's schedule runs it after a missed start
};

struct CandidateQuery {
  std::int64_t now = 0;
  // The start-up evaluation: every list that runs when Tolvane starts.
  bool startUp = false;
};

// Candidates in library order: start times later today.
std::vector<LaunchCandidate> collectCandidates(const LibraryContents& contents, const Clock& clock,
                                               const CandidateQuery& query);

// How far back passed start times are looked for: a machine that slept a
// week has nothing to say about the weeks before.
inline constexpr int kPassedLookBackDays = 7;

// The start times after `from` and at or before `to`, on every day between
// (at most kPassedLookBackDays back from `to`), by start time and then in
// library order; `wait` is 0 or less.
std::vector<LaunchCandidate> collectPassed(const LibraryContents& contents, const Clock& clock, std::int64_t from,
                                           std::int64_t to);

// The candidates with the smallest wait, in library order.
std::vector<LaunchCandidate> selectDue(std::span<const LaunchCandidate> candidates);

bool sameDay(const LocalTime& a, const LocalTime& b);

// The calendar time at which a schedule's time of day falls on `day`.
std::int64_t startTimeOn(const Clock& clock, const LocalTime& day, std::int64_t runTimeOfDay);

// Today's day token ("sun" to "sat") of a weekday number (0 = Sunday).
std::u16string_view dayToken(int dayOfWeek);

}  // namespace tolvane
