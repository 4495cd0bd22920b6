#include "engine/scheduler/scheduler.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "base/format.h"
#include "engine/scheduler/handled_starts.h"
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

// The lists by identity and name, with their schedules only.
LibraryContents schedulesOf(const ChoreLibrary& library) {
  return library.read([](const LibraryContents& contents) {
    LibraryContents schedules;
    schedules.lists.reserve(contents.lists.size());
    for (const ChoreList& list : contents.lists) {
      ChoreList entry;
      entry.id = list.id;
      entry.name = list.name;
      entry.schedule = list.schedule;
      schedules.lists.push_back(std::move(entry));
    }
    return schedules;
  });
}

class Scheduler {
 public:
  explicit Scheduler(const SchedulerContext& context) : context_(context), clock_(context.clock) {}

  void run() {
    context_.log.debug(u"...entering Tolvane scheduler...");
    const std::int64_t startedAt = clock_.now();
    const LibraryContents atStart = schedulesOf(context_.library);
    // The first look takes up the start times since the last look of the
    // last run of Tolvane; a list it never looked at starts from now.
    const HandledStarts handled = context_.registry ? loadHandledStarts(*context_.registry) : HandledStarts{};
    keepsHandled_ = !handled.empty();
    for (const ChoreList& list : atStart.lists) {
      const auto found = handled.find(list.name);
      seen_[list.id] = {list.name, list.schedule, found == handled.end() ? startedAt : found->second};
    }
    for (const auto& candidate : collectCandidates(atStart, clock_, {.now = startedAt, .startUp = true})) {
      announceLaunch(candidate.name);
      startedWithTolvane_.insert(candidate.id);
    }

    for (;;) {
      const std::int64_t now = clock_.now();
      startOrSkipPassed(now);
      const WaitResult woken = context_.sync.wait(context_.commandEvent, planNextLook(now));
      if (woken == WaitResult::Signaled && context_.exitRequested && context_.exitRequested()) {
        context_.log.debug(u"...exiting Tolvane scheduler...");
        return;
      }
      if (woken == WaitResult::Failed) {
        // Keep the schedules going without spinning on a broken event.
        context_.log.debug(u"Scheduler: waiting on its command event failed.");
        context_.sync.sleep(1000);
      }
    }
  }

 private:
  // A list as the last look saw it.
  struct SeenList {
    std::u16string name;
    ChoreSchedule schedule;
    // Its start times up to here have been started, skipped or found not due.
    std::int64_t handledUntil = 0;
  };

  void announceLaunch(const std::u16string& name) {
    context_.log.activity(formatText(u"Chore list: %s launched per its schedule.", name), false);
    if (context_.display) context_.display->listLaunchedBySchedule(name);
    context_.launchChoreList(name);
  }

  // "Chore list: %s <what>; it was due at HH:MM:SS on MM/DD/YYYY."
  std::u16string missedText(std::u16string_view what, const LaunchCandidate& missed) const {
    const LocalTime due = clock_.toLocal(missed.startTime);
    return formatText(u"Chore list: %s %s; it was due at %02.2d:%02.2d:%02.2d on %02.2d/%02.2d/%04.4d.", missed.name,
                      what, due.hour, due.minute, due.second, due.month, due.day, due.year);
  }

  void logSkipped(const LaunchCandidate& missed) { context_.log.activity(missedText(u"was skipped", missed), true); }

  void startLate(const LaunchCandidate& missed) {
    context_.log.activity(missedText(u"was started late", missed), false);
    if (context_.display) context_.display->listLaunchedBySchedule(missed.name);
    context_.launchChoreList(missed.name);
  }

  // The start times that came since the last look, by each list's schedule
  // as that look saw it, under the list's name of now: a list renamed,
  // moved or deleted meanwhile is neither lost nor confused with another,
  // and a schedule set or changed meanwhile counts only from this look on
  // (a time of day set just behind the clock is no start that was missed).
  // Then this look's schedules become the ones the next look goes by.
  std::vector<LaunchCandidate> passedSinceLastLook(std::int64_t now) {
    const LibraryContents current = schedulesOf(context_.library);
    LibraryContents asSeen;
    std::int64_t from = now;
    for (const ChoreList& list : current.lists) {
      const auto seen = seen_.find(list.id);
      if (seen == seen_.end()) continue;
      asSeen.lists.push_back(list);
      asSeen.lists.back().schedule = seen->second.schedule;
      from = std::min(from, seen->second.handledUntil);
    }
    // A clock set back brings those times round again, as they were never seen.
    std::vector<LaunchCandidate> passed = collectPassed(asSeen, clock_, from, now);
    std::erase_if(passed, [&](const LaunchCandidate& c) { return c.startTime <= seen_.at(c.id).handledUntil; });

    seen_.clear();
    for (const ChoreList& list : current.lists) seen_[list.id] = {list.name, list.schedule, now};
    return passed;
  }

  // Written before any list starts, so that a crash from here on cannot
  // start one twice.
  void keepHandled(std::int64_t now) {
    if (!context_.registry) return;
    HandledStarts handled;
    for (const auto& [id, seen] : seen_) {
      if (seen.schedule.hasRunTimeOfDay) handled[seen.name] = now;
    }
    if (handled.empty() && !keepsHandled_) return;
    saveHandledStarts(*context_.registry, handled);
    keepsHandled_ = !handled.empty();
  }

  // A wake-up a little late still starts its lists. A list met much later
  // is skipped, since a list meant for 09:00 may make no sense at 15:00,
  // and the user is told; unless its schedule asks to run it after a
  // missed start: then it runs once for all its missed starts. A list that
  // has just started with Tolvane does not run again.
  void startOrSkipPassed(std::int64_t now) {
    const std::vector<LaunchCandidate> passed = passedSinceLastLook(now);
    keepHandled(now);
    std::unordered_map<ChoreListId, std::size_t> lastOfList;
    for (std::size_t i = 0; i < passed.size(); ++i) lastOfList[passed[i].id] = i;
    for (std::size_t i = 0; i < passed.size(); ++i) {
      const LaunchCandidate& candidate = passed[i];
      if (candidate.runMissed && lastOfList[candidate.id] != i) continue;
      const bool onTime = now - candidate.startTime <= kLateLaunchGraceSeconds;
      if (!onTime && !candidate.runMissed) {
        logSkipped(candidate);
        continue;
      }
      if (startedWithTolvane_.contains(candidate.id)) continue;
      if (onTime) announceLaunch(candidate.name);
      else startLate(candidate);
    }
    startedWithTolvane_.clear();
  }

  // Marks the lists due later today and tells how long to sleep.
  std::uint32_t planNextLook(std::int64_t now) {
    const LocalTime today = clock_.toLocal(now);
    const auto candidates = context_.library.read([&](const LibraryContents& contents) {
      return collectCandidates(contents, clock_, {.now = now, .startUp = false});
    });
    if (context_.display) {
      for (const auto& candidate : candidates) context_.display->listPendingToday(candidate.name);
    }
    const bool debug = context_.debugLogging && context_.debugLogging();
    if (debug) context_.log.activity(formatText(u"Scheduler: Number of schedules=%d.", candidates.size()), false);
    const auto due = selectDue(candidates);
    if (debug) {
      context_.log.activity(formatText(u"Scheduler: launch candidates total=%d; choreList: %s", due.size(),
                                       due.empty() ? std::u16string() : due.front().name),
                            false);
    }
    return sleepMs(due, clock_, now, today);
  }

  const SchedulerContext& context_;
  const Clock& clock_;
  std::unordered_map<ChoreListId, SeenList> seen_;
  std::unordered_set<ChoreListId> startedWithTolvane_;
  // The registry holds handled start times that the next write must replace.
  bool keepsHandled_ = false;
};

}  // namespace

void schedulerThreadProc(const SchedulerContext& context) { Scheduler(context).run(); }

}  // namespace tolvane
