#pragma once
// The scheduler thread: starts chore lists when Tolvane starts and at their
// times of day, sleeping on its command event in between.

#include <cstdint>
#include <functional>
#include <string_view>

#include "engine/runner/run_display.h"
#include "library/chore_library.h"
#include "platform/clock.h"
#include "platform/log_sink.h"
#include "platform/registry.h"
#include "platform/sync.h"

namespace tolvane {

struct SchedulerContext {
  ChoreLibrary& library;
  Clock& clock;
  Sync& sync;
  LogSink& log;
  // "_tolvSchedCmdEvnt_": schedule edits, power resume, time changes and
  // shutdown wake the scheduler through it.
  Event& commandEvent;
  // Whether the command slot holds "exit".
  std::function<bool()> exitRequested;
  std::function<bool()> debugLogging;
  std::function<void(std::u16string_view)> launchChoreList;
  RunDisplay* display = nullptr;
  // Where the start times dealt with are kept from one run of Tolvane to
  // the next (handled_starts.h); none: only while it runs.
  Registry* registry = nullptr;
};

// Long sleeps are cut so that lists added or changed without waking the
// scheduler are seen within the hour.
inline constexpr std::uint32_t kMaxSchedulerSleepMs = 3'600'000;

// A start time the scheduler meets this much later (the machine slept
// through it, the clock was set past it, or Tolvane was not running) is
// skipped, or run late when the list's schedule asks for that.
inline constexpr std::int64_t kLateLaunchGraceSeconds = 60;

void schedulerThreadProc(const SchedulerContext& context);

}  // namespace tolvane
