#pragma once
// Starting a chore list on its own thread, and asking a running one to
// stop. The list's thread body (the runner) is handed in, so that every
// caller (hook, main window, scheduler, the end of another list) starts
// lists the same way.

#include <functional>
#include <string_view>

#include "library/chore_library.h"
#include "platform/log_sink.h"
#include "platform/sync.h"

namespace tolvane {

// The runner's entry point for one run of the list with that identity.
using ChoreListThreadBody = std::function<void(ChoreListId)>;
// Starts a worker thread; returns 0, or the C runtime's error number when
// the thread could not be created.
using ThreadStarter = std::function<int(std::function<void()>)>;

class ChoreListLauncher {
 public:
  ChoreListLauncher(ChoreLibrary& library, Sync& sync, LogSink& log, ThreadStarter startThread)
      : library_(library), sync_(sync), log_(log), startThread_(std::move(startThread)) {}

  // Set once at start-up, before any list can start.
  void setThreadBody(ChoreListThreadBody body) { body_ = std::move(body); }

  // Marks the list in progress, creates its termination event and one
  // completion event per WAIT_HOTKEY step, and starts its thread. False
  // when the list is unknown, already running, or its thread failed.
  bool launchChoreList(std::u16string_view name);

  // Asks a running list to stop; false when it is not running.
  bool stopChoreList(std::u16string_view name);

 private:
  ChoreLibrary& library_;
  Sync& sync_;
  LogSink& log_;
  ThreadStarter startThread_;
  ChoreListThreadBody body_;
};

}  // namespace tolvane
