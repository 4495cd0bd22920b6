#pragma once
// Starting a chore list on its own thread, and asking a running one to
// stop. The list's thread body (the runner) and the way its thread starts
// are handed in, so that every caller (hook, main window, scheduler, the
// end of another list) starts lists the same way, on threads their owner
// waits for at exit.

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

// Readies a list for a run: in progress, not stopping, at its first step,
// with its steps copied for the run, one completion event per WAIT_HOTKEY
// step among them and its termination event, all named after the list's
// name of now. False, with nothing changed, when it is already in progress.
bool prepareListRun(ChoreList& list, Sync& sync);

// Asks a list in progress to stop; false when it is not in progress.
bool requestListStop(ChoreList& list);

class ChoreListLauncher {
 public:
  ChoreListLauncher(ChoreLibrary& library, Sync& sync, LogSink& log) : library_(library), sync_(sync), log_(log) {}

  // Set once at start-up, before any list can start; until then a launch
  // fails as a thread that could not start.
  void setListThreads(ThreadStarter startThread, ChoreListThreadBody body) {
    startThread_ = std::move(startThread);
    body_ = std::move(body);
  }

  // Readies the list (prepareListRun) and starts its thread. False when the
  // list is unknown, already running (or another list, renamed while it
  // runs, still runs under its name), or its thread failed.
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
