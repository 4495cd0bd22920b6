#pragma once
// The main window: chore tree, activity list, vertical toolbar, menu bar,
// two-pane status bar and the notification-area icon. The services and the
// worker threads live in the application core it owns (TolvaneCore); the
// window runs the start-up and exit sequences, each as named steps in
// order, lays itself out, draws, and routes messages. Its commands are one
// table (main_commands.cpp); editors are opened from there and their
// results stored through store_.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controls/dialog_base/dialog_base.h"
#include "shell/app/tolvane_core.h"
#include "shell/main_window/chore_store.h"
#include "shell/main_window/chore_tree.h"
#include "shell/main_window/command_table.h"
#include "shell/main_window/tray_icon.h"
#include "shell/main_window/tree_edits.h"
#include "shell/requests/request_service.h"

namespace tolvane {
struct HotKeyTarget;
}

namespace tolvane::win32 {

class CTolvaneDlg final : public CDialogBase {
 public:
  explicit CTolvaneDlg(HINSTANCE instance);
  ~CTolvaneDlg() override;

  // The dialog's window, for the rest of the process.
  static HWND mainWindow();

  // An error line for the activity window right after the greeting, such
  // as the crash report the last run left.
  void addStartNotice(std::u16string text) { core_->addStartNotice(std::move(text)); }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Start-up, in order.
  void startUp();
  void setWindowIcons();
  void loadSettingsAndPlacement();
  void bindCompanion();
  void createBars();
  void setUpActivityList();
  void loadChoresAndFillTree();
  void buildContextMenus();
  // Also after Options' OK.
  void applyAlwaysOnTop();
  void addTrayIconAndGreet();
  void startOneSecondTimer();

  // Ending. The one way the program ends, whoever asks; a request while
  // one is under way (its question is open) is ignored.
  void exitSequence();
  // Saves what has to be saved; both endings use it. False when the user
  // chose to go on working instead.
  bool closeSequence(CloseKind kind);
  // The window's outer size into the settings; its normal rectangle.
  PlacementRect takeWindowPlacement();

  // The command table's rows (main_commands.cpp).
  void addCommandRows();
  void onExitCommand();
  void runWizard();
  void runSelected();
  bool canRunSelected() const;
  bool isSelectedListRunning() const;
  bool canEditSelectedChore() const;
  void newChore();
  void editSelectedChore();
  void showAbout();
  void showWindowFromTray();
  // The Help key: the topic of the active window, by its caption.
  void openHelpForActiveWindow();
  // choresChanged, and the status bar's counts.
  void libraryChanged();

  // The chore-list and schedule editors' commands (list_commands.cpp).
  bool canOpenEditor() const;
  bool canEditSelectedList() const;
  bool canScheduleSelectedList() const;
  void createChoreList();
  void editSelectedList();
  void scheduleSelectedList();

  // The options, colour and hot-key views (view_commands.cpp).
  // One dialog at a time: the tray can ask while another is open.
  bool canOpenDialog() const;
  void showOptions();
  void showColorOptions();
  void showHotKeys();
  void selectHotKeyTarget(const HotKeyTarget& target);
  void applyTreeColor(std::uint32_t color);

  void onTrayNotify(LPARAM event);
  void showTrayMenu();
  void onContextMenu(HWND source, int x, int y);
  void showTreeMenu(HTREEITEM item, int x, int y);
  void updatePopupMenu(HMENU menu);
  void updateToolbar();
  void refreshStatus(bool full);
  void setTrayTip(std::u16string_view text) { tray_.setTrayTip(text); }
  void layOut();
  LRESULT onNotify(NMHDR* header);
  LRESULT onTreeNotify(NMHDR* header);
  bool runDoubleClickedItem();
  LRESULT onActivityCustomDraw(NMLVCUSTOMDRAW* draw);
  void onTreeInfoTip(NMTVGETINFOTIPW* tip);

  // First, so it is destroyed last: the window's parts may be in use by
  // worker threads until the core has ended them.
  std::unique_ptr<TolvaneCore> core_;
  ChoreTree tree_;
  ChoreStore store_;
  TreeEdits treeEdits_;
  CommandTable commands_;
  TrayIcon tray_;
  // Requests from the command line; from the end of start-up until the
  // window goes.
  std::unique_ptr<RequestService> requests_;
  HWND activityList_ = nullptr;
  HWND statusBar_ = nullptr;
  HWND toolbar_ = nullptr;
  HMENU treeMenu_ = nullptr;
  HMENU activityMenu_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HIMAGELIST toolbarImages_ = nullptr;
  bool comInitialised_ = false;
  // An exit is under way: its question or Retry box runs a message loop in
  // which the tray, the menu or the installer can ask again.
  bool exiting_ = false;
  // A second request while the dialog shows is ignored.
  bool aboutOpen_ = false;
  // The smallest outer size the user can drag the window to: its size
  // right after it was created.
  int minTrackWidth_ = 0;
  int minTrackHeight_ = 0;
};

}  // namespace tolvane::win32
