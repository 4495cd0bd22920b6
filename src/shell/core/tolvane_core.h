#pragma once
// The application core of Tolvane.exe: the one owner of the real platform
// objects, which it lends by reference to its parts; the logs, the
// settings, the chore library, the companion binding, the Explorer watch,
// the hot keys with the chore thread, and the running lists with the
// scheduler. Every part exists from construction on. The main window owns
// one core, calls its start-up and exit steps in their order, and asks it
// for what it wants done (run a chore, start or stop a list, wake the
// scheduler), never for its parts.
//
// Lifetime: whatever a worker thread can touch is declared before the
// workers, so it is destroyed after them, and the destructor waits for the
// workers first (endWorkers). A worker that does not end in time (a list
// waiting for the user's answer to its question) would use what goes next,
// so the owner then keeps the core and lets the end of the process take
// the thread (see ~CTolvaneDlg).

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editors/editor_context.h"
#include "editors/options/options_form.h"
#include "engine/hotkeys/hot_key_hook.h"
#include "library/chore_files.h"
#include "library/chore_library.h"
#include "library/close_save.h"
#include "library/settings/settings.h"
#include "platform/win32/win32_platform.h"
#include "shell/explorer_watch/explorer_watch.h"
#include "shell/hotkeys/hot_key_runtime.h"
#include "shell/logs/shell_logs.h"
#include "shell/running/running_lists.h"

namespace tolvane::win32 {

// Where the core shows what it does, given once at the start of start-up.
struct CoreWindow {
  // Owns the core's message boxes and the Explorer windows it opens, takes
  // the queues of the activity list and the run display, and is never
  // typed into.
  HWND window;
  HWND tree;
  HWND activityList;
  // The toolbar's hot-key button, on while hot keys are.
  std::function<void(bool)> showHotKeysOn;
  std::function<void(std::u16string_view)> setTrayTip;
};

class TolvaneCore final : private ChoreTrials {
 public:
  // The most the end of the program waits for its worker threads.
  static constexpr std::uint32_t kWorkerEndWaitMs = RunningLists::kEndWaitMs;

  TolvaneCore();
  ~TolvaneCore() override;
  TolvaneCore(const TolvaneCore&) = delete;
  TolvaneCore& operator=(const TolvaneCore&) = delete;

  // Start-up, in the order the main window calls these.
  void attachWindow(CoreWindow window);
  // The program folder becomes the current directory and `progDir`.
  void takeProgramFolder();
  // The settings; the window's saved placement is returned.
  PlacementRect loadSettings();
  // The log mutexes.
  void createLogMutexes();
  // Loads TolvaneBho.dll and registers it; false when it did not load (the
  // window shows why, with companionLoadError()).
  bool bindCompanion();
  DWORD companionLoadError() const { return platform_.companion.loadError(); }
  void loadChores();
  void startChoreThread();
  void startExplorerWatch();
  void installKeyboardHook();
  // Error lines for the activity window right after the greeting, such as
  // the crash report the last run left.
  void addStartNotice(std::u16string text) { startNotices_.push_back(std::move(text)); }
  // Hot keys on, "Tolvane at your service..." in the activity log, then
  // the start notices.
  void greet();
  // The last step: lists start by their schedules from now on.
  void startScheduler();

  // The window's messages that are the core's: the activity list's and the
  // run display's queues, power resume and clock changes. True when the
  // message needs nothing more.
  bool handleMessage(UINT message, WPARAM wParam);
  // Every second: the keyboard hook is still in place.
  void onTimer() { hotKeys_.onTimer(); }
  // The window is going: nothing is shown in it any more.
  void detachWindow();

  // The close (also at the end of the Windows session): the chore files
  // and their backups. False when the user chose to go on working instead
  // (see library/close_save.h); nothing has stopped then.
  bool saveChoresOnClose(CloseKind kind);
  // With the last explored folder.
  void saveSettings(const PlacementRect& placement);
  // The exit command, once the close has saved, in this order.
  // "exit" for the chore thread and the scheduler.
  void requestWorkersExit();
  void closeStartedExplorers();
  void unregisterCompanion() { platform_.companion.unregisterServer(); }
  // The hook goes and the companion stops logging.
  void removeKeyboardHook();
  // Waits for every worker thread, up to `waitMs` in all; true when each
  // one has ended, so that the core can go.
  bool endWorkers(std::uint32_t waitMs);

  // What the window asks for. A chore runs on the chore thread, a list on
  // its own; false when there is nothing to do.
  bool runChore(std::u16string_view name) { return hotKeys_.runChore(name); }
  // A request from the command line: queued behind earlier ones.
  bool queueChore(const Chore& chore) { return hotKeys_.queueChore(chore); }
  bool startList(std::u16string_view name);
  bool stopList(std::u16string_view name);
  // The tray's "Stop" items name the running lists in library order.
  bool stopRunningListAt(int index);
  bool isListRunning(std::u16string_view name) const { return library_.copyChoreList(name).inProgress; }
  // The scheduler looks at the schedules again at once.
  void wakeScheduler() { schedulerEvent_->set(); }
  // Hot keys do something now: not suspended, and not switched off by the
  // master hot key.
  bool hotKeysOn();
  // An editor, the wizard or the hot-key view is open.
  bool hotKeysSuspended() { return hotKeys_.hook().suspended(); }
  // Hot keys are suspended while the result lives.
  HotKeySuspension suspendHotKeys() { return HotKeySuspension(hotKeys_.hook()); }
  // What editors may use.
  const EditorContext& editorContext() { return editorContext_; }
  // After Options' OK: the settings, the log switches from now on, the debug
  // log's deletion, and the companion's logging and log size.
  void applyOptions(const OptionsOutcome& outcome);
  // The hot-key view's master hot key, for the hook and the settings.
  void setMasterHotKey(HotKeyCode key);
  void clearActivity() { logs_.activityLog.clearByUser(); }

  // The records and services the window shares.
  ChoreLibrary& library() { return library_; }
  Settings& settings() { return settings_; }
  LogSink& log() { return logs_.sink; }
  const Clock& clock() const { return logs_.clock; }
  Prompts& prompts() { return platform_.windowPrompts; }
  Sync& sync() { return platform_.sync; }
  // On the user-interface thread only.
  KeyNames& keyNames() { return platform_.keyNames; }

  // The library changed since it was loaded: it is saved at close.
  bool choresChanged() const { return choresChanged_; }
  void markChoresChanged() { choresChanged_ = true; }

 private:
  bool runChore(const Chore& chore) override { return hotKeys_.runChore(chore); }
  bool startList(const ChoreList& list) override;
  bool listRunning() override;
  void stopList() override;

  // The companion's debug logging and log size, from the settings.
  void applyCompanionLogging();

  // Services every thread may use: destroyed last.
  Win32Platform platform_;
  ShellLogs logs_;
  Settings settings_;
  ChoreLibrary library_;
  // What start-up could not load, so that close keeps it.
  ChoreFileGuard choreFileGuard_;
  std::u16string programFolder_;
  std::vector<std::u16string> startNotices_;
  bool choresChanged_ = false;
  HWND window_ = nullptr;
  std::function<void(std::u16string_view)> setTrayTip_;
  std::unique_ptr<CExplorerWatch> explorerWatch_;
  LibraryQueries queries_{library_};

  // The workers, and what starts them: destroyed first.
  std::shared_ptr<Event> choreEvent_;
  std::shared_ptr<Event> schedulerEvent_;
  HotKeyRuntime hotKeys_;
  EditorContext editorContext_;
  RunningLists running_;
};

}  // namespace tolvane::win32
