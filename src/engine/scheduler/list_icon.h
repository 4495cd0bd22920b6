#pragma once
// The tree icon of a chore list, from its schedule.

#include <cstdint>

#include "library/chore_list.h"
#include "platform/clock.h"

namespace tolvane {

inline constexpr int kListIconPlain = 11;
inline constexpr int kListIconScheduled = 12;
inline constexpr int kListIconPendingToday = 13;
inline constexpr int kListIconExpired = 15;

// A one-time (dated) schedule whose moment has passed. A date still ahead
// is not expired: the list will run on that day.
bool isScheduleExpired(const ChoreSchedule& schedule, const Clock& clock, std::int64_t now);

// 15 for an expired schedule, 12 for a list that starts with Tolvane or at
// a time of day, otherwise 11. (13, pending today, is the scheduler's.)
int listIcon(const ChoreSchedule& schedule, const Clock& clock, std::int64_t now);

}  // namespace tolvane
