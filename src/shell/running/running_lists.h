#pragma once
// The main window's side of running chore lists: the threads the launcher
// starts for lists, the scheduler thread and its wake-ups, the Run and Stop
// commands for lists, the wizard's trial list, and their display in tree
// and tray.
//
// Every thread started here is waited for by endThreads (or the
// destructor), so nothing it uses may go before it has ended.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/hotkeys/chore_list_launcher.h"
#include "engine/runner/chore_list_runner.h"
#include "engine/runner/running_list.h"
#include "engine/scheduler/scheduler.h"
#include "platform/win32/sync/worker_threads.h"
#include "shell/running/platform_runner_services.h"
#include "shell/running/tree_run_display.h"

namespace tolvane::win32 {

struct RunningListsServices {
  ChoreLibrary& library;
  Sync& sync;
  Clock& clock;
  LogSink& log;
  // What a step needs: its chore carried out, windows, files, the
  // clipboard, the question box (without owner) and the beep.
  std::function<bool(const Chore&)> executeChore;
  Desktop& desktop;
  Files& files;
  Clipboard& clipboard;
  Prompts& prompts;
  Sounds& sounds;
  // The launcher's launchChoreList and stopChoreList.
  std::function<bool(std::u16string_view)> launchChoreList;
  std::function<bool(std::u16string_view)> stopChoreList;
  // "_tolvSchedCmdEvnt_".
  Event& schedulerEvent;
  // Whether the command slot holds "exit".
  std::function<bool()> exitRequested;
  std::function<bool()> debugLogging;
  std::function<void(std::u16string_view)> setTrayTip;
  // Where the scheduler keeps the start times it has dealt with.
  Registry& registry;
};

// The lists in progress, in library order: the status bar's and the tray
// menu's "Stop" items.
std::vector<std::u16string> runningListNames(const ChoreLibrary& library);

class RunningLists {
 public:
  // How long the end of the program waits for lists to stop. Long enough
  // for a step inside the Explorer watch; a list waiting for the user's
  // answer to its question does not stop.
  static constexpr std::uint32_t kEndWaitMs = 10000;

  explicit RunningLists(RunningListsServices services);
  // endThreads(kEndWaitMs) unless it was called.
  ~RunningLists();
  RunningLists(const RunningLists&) = delete;
  RunningLists& operator=(const RunningLists&) = delete;

  // The window that shows running lists; null before it exists and once it
  // is going.
  void attachWindow(HWND mainWindow, HWND tree) { display_.attach(mainWindow, tree); }

  // What the launcher starts a list's thread with, and what that thread
  // runs (ChoreListLauncher::setListThreads).
  ThreadStarter threadStarter();
  ChoreListThreadBody threadBody();

  // The last step of start-up.
  bool startScheduler();

  // The scheduler evaluates again at once: after the machine resumes and
  // after the clock or the time zone changes, so a waiting list is neither
  // late nor started twice.
  void wakeScheduler() { s_.schedulerEvent.set(); }

  // The display's queue, power resume and time change; true when handled.
  bool handleMessage(UINT message, WPARAM wParam);

  // Run (3002) and Stop (3003) for a list; false when there is nothing to do.
  bool runList(std::u16string_view name) { return s_.launchChoreList(name); }
  bool stopList(std::u16string_view name) { return s_.stopChoreList(name); }

  // The tray's "Stop" items (7000 + index) name the running lists in
  // library order.
  bool stopRunningListAt(int index);

  // The wizard's trial: a list outside the library, run unseen under its
  // own name. One at a time; false when one runs or its thread failed.
  bool startTrialList(const ChoreList& list);
  bool trialListRunning();
  void stopTrialList();

  // End of the program: no list or scheduler pass starts any more, running
  // lists are asked to stop, and their threads and the scheduler's (told
  // "exit" by the caller) are waited for. True when every one has ended
  // within `waitMs`; otherwise what they use must stay.
  bool endThreads(std::uint32_t waitMs);

 private:
  void launchUnlessEnding(std::u16string_view name);

  RunningListsServices s_;
  // Set by endThreads: no list starts any more, and the destructor need
  // not end the threads again.
  std::atomic<bool> ending_{false};
  PlatformRunnerServices runnerServices_;
  TreeRunDisplay display_;
  RunnerContext runnerContext_;
  SchedulerContext schedulerContext_;
  TrialListRecord trial_;
  // Last: the threads end before anything they use.
  WorkerThreadGroup threads_;
};

}  // namespace tolvane::win32
