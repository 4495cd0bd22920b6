#include "engine/scheduler/scheduler.h"

#include <algorithm>

#include "base/format.h"
#include "engine/scheduler/schedule_candidates.h"

namespace tolvane {
namespace {

std::int64_t nextMidnight(const Clock& clock, const LocalTime& today) {
  LocalTime midnight{};
  midnight.year = today.year;
  midnight.month = today.month;
  midnight.day = today.day + 1;
  return clock.fromLocal(midnight);
}

// Until the due set, cut to an hour; every sleep also ends at the change
// of day, where the next day's schedules are taken up.
std::uint32_t sleepMs(const std::vector<LaunchCandidate>& due, const Clock& clock, std::int64_t now,
                      const LocalTime& today) {
  std::uint64_t ms = kWaitForever;
  if (!due.empty())
    ms = std::min<std::uint64_t>(static_cast<std::uint64_t>(due.front().wait) * 1000, kMaxSchedulerSleepMs);
  const std::int64_t untilDayChange = nextMidnight(clock, today) - now;
  if (untilDayChange > 0) ms = std::min(ms, static_cast<std::uint64_t>(untilDayChange) * 1000);
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(ms, kWaitForever));
}

void announceLaunch(const SchedulerContext& context, const std::u16string& name) {
  context.log.activity(formatText(u"Chore list: %s launched per its schedule.", name), false);
  if (context.display) context.display->listLaunchedBySchedule(name);
  context.launchChoreList(name);
}

void logSkipped(const SchedulerContext& context, const LaunchCandidate& missed) {
  const LocalTime due = context.clock.toLocal(missed.startTime);
  context.log.activity(
      formatText(u"Chore list: %s was skipped; it was due at %02.2d:%02.2d:%02.2d on %02.2d/%02.2d/%04.4d.",
                 missed.name, due.hour, due.minute, due.second, due.month, due.day, due.year),
      true);
}

// The start times that came while the scheduler waited, taken from the
// library as it is now, so that a list deleted, renamed or moved by a sort
// during the wait is neither lost nor confused with another. A wake-up a
// little late still starts its lists; a list met much later (the machine
// slept, or the clock was set past it) is skipped, since a list meant for
// 09:00 may make no sense at 15:00, and the user is told.
void startOrSkipPassed(const SchedulerContext& context, std::int64_t from, std::int64_t to) {
  const auto passed = context.library.read(
      [&](const LibraryContents& contents) { return collectPassed(contents, context.clock, from, to); });
  for (const auto& candidate : passed) {
    if (to - candidate.startTime <= kLateLaunchGraceSeconds) announceLaunch(context, candidate.name);
    else logSkipped(context, candidate);
  }
}

}  // namespace

void schedulerThreadProc(const SchedulerContext& context) {
  context.log.debug(u"...entering Tolvane scheduler...");
  const auto atStartUp = context.library.read([&](const LibraryContents& contents) {
    return collectCandidates(contents, context.clock, {.now = context.clock.now(), .startUp = true});
  });
  for (const auto& candidate : atStartUp) announceLaunch(context, candidate.name);

  // Start times up to here have been started, skipped or found not due.
  std::int64_t seenUntil = context.clock.now();
  for (;;) {
    const std::int64_t now = context.clock.now();
    // A clock set back brings those times round again, as they were never seen.
    seenUntil = std::min(seenUntil, now);
    startOrSkipPassed(context, seenUntil, now);
    seenUntil = now;

    const LocalTime today = context.clock.toLocal(now);
    const auto candidates = context.library.read([&](const LibraryContents& contents) {
      return collectCandidates(contents, context.clock, {.now = now, .startUp = false});
    });
    if (context.display) {
      for (const auto& candidate : candidates) context.display->listPendingToday(candidate.name);
    }
    const bool debug = context.debugLogging && context.debugLogging();
    if (debug) context.log.activity(formatText(u"Scheduler: Number of schedules=%d.", candidates.size()), false);
    const auto due = selectDue(candidates);
    if (debug) {
      context.log.activity(formatText(u"Scheduler: launch candidates total=%d; choreList: %s", due.size(),
                                      due.empty() ? std::u16string() : due.front().name),
                           false);
    }

    const WaitResult woken = context.sync.wait(context.commandEvent, sleepMs(due, context.clock, now, today));
    if (woken == WaitResult::Signaled && context.exitRequested && context.exitRequested()) {
      context.log.debug(u"...exiting Tolvane scheduler...");
      return;
    }
    if (woken == WaitResult::Failed) {
      // Keep the schedules going without spinning on a broken event.
      context.log.debug(u"Scheduler: waiting on its command event failed.");
      context.sync.sleep(1000);
    }
  }
}

}  // namespace tolvane
