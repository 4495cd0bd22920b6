#pragma once
// The main window's side of running chore lists: the thread body the
// launcher starts for a list, the scheduler thread and its wake-ups, the
// Run and Stop commands for lists, and their display in tree and tray.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>
#include <string_view>

#include "engine/runner/chore_list_runner.h"
#include "engine/scheduler/scheduler.h"
#include "platform/win32/library/win32_prompts.h"
#include "shell/running/platform_runner_services.h"
#include "shell/running/tree_run_display.h"

namespace tolvane::win32 {

struct RunningListsServices {
  ChoreLibrary& library;
  Sync& sync;
  Clock& clock;
  LogSink& log;
  // What a step needs: its chore carried out, windows, files, the
  // clipboard and the beep.
  std::function<bool(const Chore&)> executeChore;
  Desktop& desktop;
  Files& files;
  Clipboard& clipboard;
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
};

// The lists in progress, in library order: the status bar's and the tray
// menu's "Stop" items.
std::vector<std::u16string> runningListNames(const ChoreLibrary& library);

class RunningLists {
 public:
  explicit RunningLists(RunningListsServices services);
  // Worker threads are not joined, but none may outlive what it uses: the
  // running lists are asked to stop and are given a moment to end.
  ~RunningLists();
  RunningLists(const RunningLists&) = delete;
  RunningLists& operator=(const RunningLists&) = delete;

  // The window that shows running lists; null before it exists and once it
  // is going.
  void attachWindow(HWND mainWindow, HWND tree) { display_.attach(mainWindow, tree); }

  // What the launcher runs on a list's new thread.
  std::function<void(ChoreListId)> threadBody();

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

  // List and scheduler threads that are still using this object.
  int activeThreads() const { return activeThreads_.load(); }

 private:
  RunningListsServices s_;
  std::atomic<int> activeThreads_{0};
  Win32Prompts ownerlessPrompts_;
  PlatformRunnerServices runnerServices_;
  TreeRunDisplay display_;
  RunnerContext runnerContext_;
  SchedulerContext schedulerContext_;
};

}  // namespace tolvane::win32
