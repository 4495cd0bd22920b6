#pragma once
// The application core of Tolvane.exe: the platform services, the logs,
// the settings, the chore library, the companion binding, the Explorer
// watch, the hot keys with the chore thread, and the running lists with
// the scheduler. The main window owns one and calls its start-up and exit
// steps in their order; the window itself keeps only window work.
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
#include <optional>
#include <string>
#include <vector>

#include "editors/editor_context.h"
#include "editors/options/options_form.h"
#include "library/chore_files.h"
#include "library/chore_library.h"
#include "library/close_save.h"
#include "library/settings/settings.h"
#include "platform/win32/companion_binding.h"
#include "platform/win32/executor/win32_window_actions.h"
#include "platform/win32/library/win32_files.h"
#include "platform/win32/library/win32_key_names.h"
#include "platform/win32/library/win32_prompts.h"
#include "platform/win32/registry/win32_registry.h"
#include "platform/win32/sync/win32_sync.h"
#include "platform/win32/targeting/accessible_object.h"
#include "platform/win32/targeting/win32_desktop.h"
#include "shell/explorer_watch/explorer_watch.h"
#include "shell/hotkeys/hot_key_runtime.h"
#include "shell/logs/shell_logs.h"
#include "shell/running/running_lists.h"

namespace tolvane::win32 {

class TolvaneCore final : private ChoreTrials {
 public:
  // The most the end of the program waits for its worker threads.
  static constexpr std::uint32_t kWorkerEndWaitMs = RunningLists::kEndWaitMs;

  TolvaneCore();
  ~TolvaneCore() override;
  TolvaneCore(const TolvaneCore&) = delete;
  TolvaneCore& operator=(const TolvaneCore&) = delete;

  // Start-up, in the order the main window calls these.
  // Message boxes (chore files, save question) belong to this window.
  void setOwnerWindow(HWND window) { prompts_.setOwner(window); }
  // The program folder becomes the current directory and `progDir`.
  void takeProgramFolder();
  // The settings; the window's saved placement is returned.
  PlacementRect loadSettings();
  // The log mutexes, and the Keyrune+ event, which exists with or without
  // the companion.
  void createLogMutexes();
  // Loads TolvaneBho.dll and registers it; false when it did not load (the
  // window shows why, with companionLoadError()).
  bool bindCompanion();
  DWORD companionLoadError() const { return companion_->loadError(); }
  void loadChores();
  // The chore and scheduler events and the chore thread; the window's
  // toolbar shows whether hot keys are on.
  void startChoreThread(HWND window, HWND toolbar);
  void startExplorerWatch(HWND window);
  void installKeyboardHook();
  // Error lines for the activity window right after the greeting, such as
  // the crash report the last run left.
  void addStartNotice(std::u16string text) { startNotices_.push_back(std::move(text)); }
  // Hot keys on, "Tolvane at your service..." in the activity log, then
  // the start notices.
  void greet();
  // The last step: running lists are shown in `tree` and the tray tip.
  void startScheduler(HWND window, HWND tree, std::function<void(std::u16string_view)> setTrayTip);

  // The close (also at the end of the Windows session): the chore files
  // and their backups. False when the user chose to go on working instead
  // (see library/close_save.h); nothing has stopped then.
  bool saveChoresOnClose(CloseKind kind);
  // With the last explored folder.
  void saveSettings(const PlacementRect& placement);
  // The exit command, once the close has saved, in this order.
  // "exit" for the chore thread and the scheduler.
  void requestWorkersExit();
  void closeStartedExplorers(HWND window);
  void unregisterCompanion();
  // The hook goes and the companion stops logging.
  void removeKeyboardHook();
  // Waits for every worker thread, up to `waitMs` in all; true when each
  // one has ended, so that the core can go.
  bool endWorkers(std::uint32_t waitMs);

  ChoreLibrary& library() { return library_; }
  Settings& settings() { return settings_; }
  ShellLogs& logs() { return logs_; }
  LogSink& log() { return logs_.sink; }
  Prompts& prompts() { return prompts_; }
  // Key display names from a hot-key control of the user-interface thread.
  KeyNames& keyNames();
  const std::u16string& programFolder() const { return programFolder_; }
  CompanionBinding& companion() { return *companion_; }
  // Null until start-up has made them.
  HotKeyRuntime* hotKeys() { return hotKeys_.get(); }
  RunningLists* running() { return running_.get(); }
  // Wakes the scheduler to look at the schedules again.
  void wakeScheduler();
  // After Options' OK: the settings, the log switches from now on, the debug
  // log's deletion, and the companion's logging and log size.
  void applyOptions(const OptionsOutcome& outcome);
  // The hot-key view's master hot key, for the hook and the settings.
  void setMasterHotKey(HotKeyCode key);

  // The library changed since it was loaded: it is saved at close.
  bool choresChanged() const { return choresChanged_; }
  void markChoresChanged() { choresChanged_ = true; }

  // What editors may use; after start-up only.
  const EditorContext& editorContext();

 private:
  bool runChore(const Chore& chore) override;
  bool startList(const ChoreList& list) override;
  bool listRunning() override;
  void stopList() override;

  // The companion's debug logging and log size, from the settings.
  void applyCompanionLogging();

  // Services every thread may use: destroyed last.
  Win32Registry registry_;
  Win32Files files_;
  Win32Prompts prompts_;
  Win32Sync sync_;
  std::unique_ptr<Win32KeyNames> keyNames_;
  ShellLogs logs_;
  Settings settings_;
  ChoreLibrary library_;
  // What start-up could not load, so that close keeps it.
  ChoreFileGuard choreFileGuard_;
  std::u16string programFolder_;
  std::vector<std::u16string> startNotices_;
  bool choresChanged_ = false;
  std::unique_ptr<CompanionBinding> companion_;
  std::unique_ptr<CExplorerWatch> explorerWatch_;

  // The editors' view of the desktop, on the user-interface thread.
  Win32Desktop desktop_;
  Win32WindowActions windowActions_;
  Win32Accessibility accessibility_;
  Win32Processes processes_;
  LibraryQueries queries_{library_};
  std::optional<EditorContext> editorContext_;

  // The workers, and what starts them: destroyed first.
  std::shared_ptr<Event> choreEvent_;
  std::shared_ptr<Event> schedulerEvent_;
  std::unique_ptr<HotKeyRuntime> hotKeys_;
  std::unique_ptr<RunningLists> running_;
};

}  // namespace tolvane::win32
