#pragma once
// The body of a running chore list's thread: each step's chore, then its
// completion condition, the post delay and repeats, the outcome, and the
// next chore list. The list is expected to be marked in progress, with its
// events created, by whoever launched it.

#include "engine/runner/run_display.h"
#include "engine/runner/runner_services.h"
#include "engine/runner/running_list.h"
#include "library/chore_library.h"
#include "platform/log_sink.h"
#include "platform/sync.h"

namespace tolvane {

struct RunnerContext {
  ChoreLibrary& library;
  RunnerServices& services;
  Sync& sync;
  LogSink& log;
  RunDisplay* display = nullptr;  // none: nothing is shown
};

// Polling waits test their condition every 500 ms; delays tick by seconds.
inline constexpr std::uint32_t kPollIntervalMs = 500;
inline constexpr std::uint32_t kDelayTickMs = 1000;

void choreListThreadProc(const RunnerContext& context, RunningListRecord& record);

}  // namespace tolvane
