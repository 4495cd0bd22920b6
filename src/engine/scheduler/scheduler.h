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
};

// Long sleeps are cut so that lists added or changed without waking the
// scheduler are seen within the hour.
inline constexpr std::uint32_t kMaxSchedulerSleepMs = 3'600'000;

// A start time the scheduler meets this much later (the machine slept
// through it, or the clock was set past it) is skipped rather than run late.
inline constexpr std::int64_t kLateLaunchGraceSeconds = 60;

void schedulerThreadProc(const SchedulerContext& context);

}  // namespace tolvane
