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
};

struct CandidateQuery {
  std::int64_t now = 0;
  // The start-up evaluation: every list that runs when Tolvane starts.
  bool startUp = false;
  // Also take start times equal to now: set for the first evaluation of a
  // new day, so that a list at 00:00:00 is not lost to the day change.
  bool includeNow = false;
};

// Candidates in library order.
std::vector<LaunchCandidate> collectCandidates(const LibraryContents& contents, const Clock& clock,
                                               const CandidateQuery& query);

// The candidates with the smallest wait, in library order.
std::vector<LaunchCandidate> selectDue(std::span<const LaunchCandidate> candidates);

bool sameDay(const LocalTime& a, const LocalTime& b);

// The calendar time at which a schedule's time of day falls on `day`.
std::int64_t startTimeOn(const Clock& clock, const LocalTime& day, std::int64_t runTimeOfDay);

// Today's day token ("sun" to "sat") of a weekday number (0 = Sunday).
std::u16string_view dayToken(int dayOfWeek);

}  // namespace tolvane
