#pragma once
// The main window: chore tree, activity list, vertical toolbar, menu bar,
// two-pane status bar and the notification-area icon. Its start-up and
// exit each run as one sequence of named steps (startUp, exitSequence).

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/dialog_base/dialog_base.h"
#include "library/chore_files.h"
#include "library/chore_library.h"
#include "library/settings/settings.h"
#include "platform/sync.h"
#include "platform/win32/companion_binding.h"
#include "platform/win32/library/win32_files.h"
#include "platform/win32/library/win32_key_names.h"
#include "platform/win32/library/win32_prompts.h"
#include "platform/win32/registry/win32_registry.h"
#include "platform/win32/sync/win32_sync.h"
#include "shell/explorer_watch/explorer_watch.h"
#include "shell/hotkeys/hot_key_runtime.h"
#include "shell/logs/shell_logs.h"
#include "shell/main_window/chore_tree.h"
#include "shell/main_window/tray_icon.h"
#include "shell/running/running_lists.h"

namespace tolvane::win32 {

class CTolvaneDlg final : public CDialogBase {
 public:
  explicit CTolvaneDlg(HINSTANCE instance);
  ~CTolvaneDlg() override;

  // The dialog's window, for the rest of the process.
  static HWND mainWindow();

  ChoreLibrary& library() { return library_; }
  Settings& settings() { return settings_; }
  ShellLogs& logs() { return logs_; }
  // Hot keys, the chore thread and the executor; null until start-up has
  // started the chore thread.
  HotKeyRuntime* hotKeys() { return hotKeys_.get(); }
  LogSink& log() { return logs_.sink; }

  void writeToActivityLog(std::u16string_view text, bool isError) { logs_.activityLog.writeToActivityLog(text, isError); }
  void debugLog(std::uint32_t code, std::u16string_view text) { logs_.debugLog.debugLog(code, text); }

  // Error lines for the activity window right after the greeting, such as
  // the crash report the last run left.
  void addStartNotice(std::u16string text) { startNotices_.push_back(std::move(text)); }

  void refreshStatus(bool full);
  void setTrayTip(std::u16string_view text) { tray_.setTrayTip(text); }
  // Saves what has to be saved; both endings use it.
  void closeSequence();

  bool choresChanged = false;
  bool exiting = false;
  bool aboutOpen = false;
  int minTrackWidth = 0;
  int minTrackHeight = 0;

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Start-up, in order.
  void startUp();
  void takeProgramFolder();
  void setWindowIcons();
  void loadSettingsAndPlacement();
  void createLogMutexes();
  void bindCompanion();
  void createBars();
  void setUpActivityList();
  void loadChoresAndFillTree();
  void buildContextMenus();
  void startChoreThread();
  void startExplorerWatch();
  void installKeyboardHook();
  void applyAlwaysOnTop();
  void addTrayIconAndGreet();
  void startOneSecondTimer();
  void startScheduler();

  // Ending.
  void exitSequence();
  void stopWorkers();
  void closeStartedExplorers();
  void closeWorkerHandles();
  void removeKeyboardHook();
  void saveChoresIfChanged();
  void makeBackups();
  void saveWindowAndSettings();

  void onCommand(int id);
  void onExitCommand();
  // Run (3002) for a chore or a step: carried out on the chore thread.
  void runSelectedChore();
  void onTrayNotify(LPARAM event);
  void showTrayMenu();
  void showWindowFromTray();
  void onSize(int width, int height);
  void layOut();
  LRESULT onNotify(NMHDR* header);
  LRESULT onActivityCustomDraw(NMLVCUSTOMDRAW* draw);
  void onTreeInfoTip(NMTVGETINFOTIPW* tip);
  void onContextMenu(HWND source, int x, int y);
  void updateCommandStates(HMENU menu);
  void updateRunStopButtons();
  bool isCommandAvailable(int id) const;
  bool isSelectedListRunning() const;
  double dpiScale() const;

  // Platform services, made once here and handed to the library and engine.
  Win32Registry registry_;
  Win32Files files_;
  Win32Prompts prompts_;
  std::unique_ptr<Win32KeyNames> keyNames_;
  Win32Sync sync_;
  ShellLogs logs_;
  std::unique_ptr<CompanionBinding> companion_;
  std::unique_ptr<CExplorerWatch> explorerWatch_;

  ChoreLibrary library_;
  // What start-up could not load, so that close keeps it.
  ChoreFileGuard choreFileGuard_;
  Settings settings_;
  std::u16string programFolder_;
  std::vector<std::u16string> startNotices_;

  std::shared_ptr<Event> choreEvent_;
  std::shared_ptr<Event> schedulerEvent_;
  std::unique_ptr<HotKeyRuntime> hotKeys_;
  // Running lists and the scheduler; made last in start-up.
  std::unique_ptr<RunningLists> running_;

  ChoreTree tree_;
  TrayIcon tray_;
  HWND activityList_ = nullptr;
  HWND statusBar_ = nullptr;
  HWND toolbar_ = nullptr;
  HMENU treeMenu_ = nullptr;
  HMENU activityMenu_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HIMAGELIST toolbarImages_ = nullptr;
  bool comInitialised_ = false;
};

}  // namespace tolvane::win32
