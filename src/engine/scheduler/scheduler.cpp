#include "engine/scheduler/scheduler.h"

#include <algorithm>
#include <optional>

#include "base/format.h"
#include "engine/scheduler/schedule_candidates.h"

namespace tolvane {
namespace {

struct SleepPlan {
  std::uint32_t ms = kWaitForever;
  bool cut = false;           // wake only to evaluate again
  std::int64_t dueAt = 0;     // calendar time of the due set
};

std::int64_t nextMidnight(const Clock& clock, const LocalTime& today) {
  LocalTime midnight{};
  midnight.year = today.year;
  midnight.month = today.month;
  midnight.day = today.day + 1;
  return clock.fromLocal(midnight);
}

// Every sleep also ends at the change of day, where the next day's
// schedules are taken up.
SleepPlan planSleep(const std::vector<LaunchCandidate>& due, const Clock& clock, std::int64_t now,
                    const LocalTime& today) {
  SleepPlan plan;
  std::uint64_t ms = kWaitForever;
  if (!due.empty()) {
    plan.dueAt = due.front().startTime;
    ms = static_cast<std::uint64_t>(due.front().wait) * 1000;
    if (ms > kMaxSchedulerSleepMs) {
      ms = kMaxSchedulerSleepMs;
      plan.cut = true;
    }
  }
  const std::int64_t untilDayChange = nextMidnight(clock, today) - now;
  if (untilDayChange > 0 && static_cast<std::uint64_t>(untilDayChange) * 1000 < ms) {
    ms = static_cast<std::uint64_t>(untilDayChange) * 1000;
    plan.cut = true;
  }
  plan.ms = static_cast<std::uint32_t>(std::min<std::uint64_t>(ms, kWaitForever));
  return plan;
}

void announceLaunch(const SchedulerContext& context, const std::u16string& name) {
  context.log.activity(formatText(u"Chore list: %s launched per its schedule.", name), false);
  if (context.display) context.display->listLaunchedBySchedule(name);
  context.launchChoreList(name);
}

// The due set is taken again from the library as it is now, so a list
// deleted, renamed or moved by a sort during the sleep is neither lost nor
// confused with another.
void launchDue(const SchedulerContext& context, std::int64_t dueAt) {
  const std::int64_t now = context.clock.now();
  if (now < dueAt) return;
  if (now - dueAt > kLateLaunchGraceSeconds) {
    context.log.debug(u"Scheduler: woke too late for the due lists; they are skipped.");
    return;
  }
  const auto lists = context.library.read([&](const LibraryContents& contents) {
    return collectCandidates(contents, context.clock, {.now = dueAt, .startUp = false, .includeNow = true});
  });
  for (const auto& candidate : lists) {
    if (candidate.wait == 0) announceLaunch(context, candidate.name);
  }
}

}  // namespace

void schedulerThreadProc(const SchedulerContext& context) {
  context.log.debug(u"...entering Tolvane scheduler...");
  const auto atStartUp = context.library.read([&](const LibraryContents& contents) {
    return collectCandidates(contents, context.clock, {.now = context.clock.now(), .startUp = true});
  });
  for (const auto& candidate : atStartUp) announceLaunch(context, candidate.name);

  std::optional<LocalTime> lastEvaluated;
  for (;;) {
    const std::int64_t now = context.clock.now();
    const LocalTime today = context.clock.toLocal(now);
    const bool newDay = lastEvaluated && !sameDay(*lastEvaluated, today);
    lastEvaluated = today;

    const auto candidates = context.library.read([&](const LibraryContents& contents) {
      return collectCandidates(contents, context.clock, {.now = now, .startUp = false, .includeNow = newDay});
    });
    if (context.display) {
      for (const auto& candidate : candidates) context.display->listPendingToday(candidate.name);
    }
    const bool debug = context.debugLogging && context.debugLogging();
    if (debug) context.log.activity(formatText(u"Scheduler: Number of schedules=%d.", candidates.size()), false);
    const auto due = selectDue(candidates);
    const SleepPlan plan = planSleep(due, context.clock, now, today);
    if (debug) {
      context.log.activity(formatText(u"Scheduler: launch candidates total=%d; choreList: %s", due.size(),
                                      due.empty() ? std::u16string() : due.front().name),
                           false);
    }

    switch (context.sync.wait(context.commandEvent, plan.ms)) {
      case WaitResult::Signaled:
        if (context.exitRequested && context.exitRequested()) {
          context.log.debug(u"...exiting Tolvane scheduler...");
          return;
        }
        break;
      case WaitResult::Failed:
        // Keep the schedules going without spinning on a broken event.
        context.log.debug(u"Scheduler: waiting on its command event failed.");
        context.sync.sleep(1000);
        break;
      case WaitResult::TimedOut:
        if (!plan.cut) launchDue(context, plan.dueAt);
        break;
    }
  }
}

}  // namespace tolvane
