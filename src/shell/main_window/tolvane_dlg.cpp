#include "shell/main_window/tolvane_dlg.h"

#include <commctrl.h>
#include <objbase.h>
#include <windowsx.h>

#include <algorithm>
#include <atomic>

#include "base/format.h"
#include "engine/hotkeys/chore_command_slot.h"
#include "library/chore_files.h"
#include "library/settings/settings_store.h"
#include "library/summary_text.h"
#include "platform/win32/common/wide.h"
#include "shell/main_window/main_layout.h"
#include "shell/program_folder.h"
#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

std::atomic<HWND> theMainWindow{nullptr};

constexpr wchar_t kCaption[] = L"Tolvane";
constexpr char16_t kGreeting[] = u"Tolvane at your service...";
constexpr int kTrayStopItemsMax = 7;

struct ToolbarButton {
  int command;
  int image;  // -1 for a separator
  const wchar_t* tip;
};

constexpr ToolbarButton kToolbarButtons[] = {
    {ID_RUN_SELECTED, 0, L"Do the selected chore or chorelist"},
    {ID_STOP_SELECTED, 1, L"Stop the selected chore or chorelist"},
    {0, -1, nullptr},
    {ID_FILE_NEW_CHORE, 2, L"Create a new chore"},
    {ID_FILE_NEW_CHORELIST, 3, L"Create a new chore list"},
    {ID_EDIT_SELECTED_CHORE, 4, L"Edit chore or chore list"},
    {0, -1, nullptr},
    {ID_FILE_WIZARD, 5, L"Start the chore wizard"},
    {0, -1, nullptr},
    {ID_SCHEDULE_CHORELIST, 6, L"Schedule a chore list"},
    {ID_VIEW_HOTKEYS, 7, L"View hotkeys"},
    {0, -1, nullptr},
    {ID_APP_ABOUT, 8, L"About Tolvane"},
};

const wchar_t* toolbarTip(int command) {
  for (const ToolbarButton& button : kToolbarButtons) {
    if (button.command == command && button.tip) return button.tip;
  }
  return nullptr;
}

int textWidth(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

}  // namespace

CTolvaneDlg::CTolvaneDlg(HINSTANCE instance) : CDialogBase(instance, IDD_TOLVANE_DIALOG) {
  comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

CTolvaneDlg::~CTolvaneDlg() {
  keyNames_.reset();
  companion_.reset();
  if (treeMenu_) DestroyMenu(treeMenu_);
  if (activityMenu_) DestroyMenu(activityMenu_);
  if (comInitialised_) CoUninitialize();
}

HWND CTolvaneDlg::mainWindow() { return theMainWindow.load(); }

BOOL CTolvaneDlg::onInitDialog() {
  startUp();
  return TRUE;
}

// ---------------------------------------------------------------------------
// Start-up

void CTolvaneDlg::startUp() {
  theMainWindow = hwnd();
  prompts_.setOwner(hwnd());
  takeProgramFolder();
  setWindowIcons();
  loadSettingsAndPlacement();
  createLogMutexes();
  bindCompanion();
  createBars();
  setUpActivityList();
  loadChoresAndFillTree();
  refreshStatus(true);
  layOut();
  buildContextMenus();
  startChoreThread();
  startExplorerWatch();
  installKeyboardHook();
  applyAlwaysOnTop();
  addTrayIconAndGreet();
  if (HWND tips = TreeView_GetToolTips(tree_.hwnd())) SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 12000);
  startOneSecondTimer();
  if (settings_.minimizeOnStart) ShowWindow(hwnd(), SW_MINIMIZE);
  startScheduler();
}

void CTolvaneDlg::takeProgramFolder() {
  const std::wstring folder = programFolder();
  programFolder_ = fromWide(folder);
  SetCurrentDirectoryW(folder.c_str());
  writeProgramFolder(registry_, programFolder_);
}

void CTolvaneDlg::setWindowIcons() {
  bigIcon_ = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_TOLVANE), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_TOLVANE), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void CTolvaneDlg::loadSettingsAndPlacement() {
  PlacementRect saved;
  loadSettings(registry_, settings_, saved);
  logs_.applySettings(settings_);

  if (saved.left == 0 && saved.top == 0) saved.left = saved.top = 1;
  RECT current{};
  GetWindowRect(hwnd(), &current);
  const RECT wanted{saved.left, saved.top, saved.left + current.right, saved.top + current.bottom};
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT overlap{};
  if (!IntersectRect(&overlap, &wanted, &screen)) return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(hwnd(), &placement);
  placement.rcNormalPosition = wanted;
  SetWindowPlacement(hwnd(), &placement);
}

void CTolvaneDlg::createLogMutexes() {
  logs_.createMutexes();
  // The binding creates the password manager's event "_tlBhoCmdEvnt",
  // which exists whether or not the companion loads.
  companion_ = std::make_unique<CompanionBinding>();
  logs_.debugLog.attachActivityLog(&logs_.activityLog);
}

void CTolvaneDlg::bindCompanion() {
  if (!companion_->load(toWide(programFolder_))) {
    const std::u16string text = formatText(
        u"Tolvane companion DLL, TolvaneBho.dll, failed to load: errCode=%08.8x.\n\nThe DLL file should exist in the "
        u"same directory where Tolvane is installed.\nIn order to restore it, you may try re-installing the program.",
        static_cast<std::uint32_t>(companion_->loadError()));
    MessageBoxW(hwnd(), toWide(text).c_str(), kCaption, MB_OK | MB_ICONERROR);
    return;
  }
  companion_->registerServer();
  companion_->setDebugLogging(settings_.doDebugLog);
  companion_->setMaxLogSize(static_cast<std::int32_t>(settings_.watchLogMax));
}

void CTolvaneDlg::createBars() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  minTrackWidth = outer.right - outer.left;
  minTrackHeight = outer.bottom - outer.top;

  statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, 0,
                               0, 0, 0, hwnd(), reinterpret_cast<HMENU>(IDC_STATUS_BAR), instance(), nullptr);
  // Both panes exist from the start; layOut gives them their widths.
  int parts[2] = {200, -1};
  SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));

  toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_VERT |
                                 CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                             0, 0, 24, 100, hwnd(), reinterpret_cast<HMENU>(IDC_TOOLBAR), instance(), nullptr);
  SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  toolbarImages_ = ImageList_LoadImageW(instance(), MAKEINTRESOURCEW(IDR_TOOLBAR), 16, 0, RGB(255, 0, 255),
                                        IMAGE_BITMAP, LR_CREATEDIBSECTION);
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages_));
  std::vector<TBBUTTON> buttons;
  for (const ToolbarButton& button : kToolbarButtons) {
    TBBUTTON added{};
    added.iBitmap = button.image < 0 ? 0 : button.image;
    added.idCommand = button.command;
    added.fsState = TBSTATE_WRAP | (isCommandAvailable(button.command) ? TBSTATE_ENABLED : 0);
    added.fsStyle = button.image < 0 ? BTNS_SEP : BTNS_BUTTON;
    buttons.push_back(added);
  }
  SendMessageW(toolbar_, TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

  RECT client{};
  GetClientRect(hwnd(), &client);
  const int width = settings_.progWidth != 0 ? settings_.progWidth : client.right;
  const int height = settings_.progHeight != 0 ? settings_.progHeight : client.bottom;
  SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTolvaneDlg::setUpActivityList() {
  activityList_ = item(IDC_ACTIVITY_LIST);
  ListView_SetExtendedListViewStyle(activityList_, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = LVCFMT_LEFT;
  wchar_t timeTitle[] = L"Time";
  column.pszText = timeTitle;
  column.cx = ListView_GetStringWidth(activityList_, L"12:35:5600");
  ListView_InsertColumn(activityList_, 0, &column);
  wchar_t logTitle[] = L"Activity log";
  column.pszText = logTitle;
  column.cx = 100;
  // layOut, right after, gives it the rest of the width.
  ListView_InsertColumn(activityList_, 1, &column);
  if (HWND tips = ListView_GetToolTips(activityList_)) SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
  ListView_SetBkColor(activityList_, RGB(220, 220, 197));
  ListView_SetTextBkColor(activityList_, RGB(220, 220, 197));
  logs_.view.attach(hwnd(), activityList_);
}

void CTolvaneDlg::loadChoresAndFillTree() {
  tree_.attach(item(IDC_CHORE_TREE));
  tree_.loadImages(instance(), IDB_TREE_IMAGES);
  choreFileGuard_ =
      loadChoreFiles(library_, ChoreFileServices{files_, logs_.clock, logs_.sink}, prompts_, programFolder_).guard;
  tree_.fill(library_, settings_, logs_.clock);
  TreeView_SetBkColor(tree_.hwnd(), static_cast<COLORREF>(settings_.treeBkColor));
  InvalidateRect(tree_.hwnd(), nullptr, TRUE);
}

void CTolvaneDlg::buildContextMenus() {
  treeMenu_ = CreatePopupMenu();
  AppendMenuW(treeMenu_, MF_STRING, ID_TREE_EDIT, L"Edit");
  AppendMenuW(treeMenu_, MF_STRING, ID_TREE_CLONE, L"Clone");
  AppendMenuW(treeMenu_, MF_STRING, ID_TREE_RUN, L"Run");
  AppendMenuW(treeMenu_, MF_STRING, ID_TREE_DELETE, L"Delete");
  AppendMenuW(treeMenu_, MF_STRING, ID_TREE_STOP, L"Stop");
  AppendMenuW(treeMenu_, MF_STRING, ID_TREE_SCHEDULE, L"Schedule");
  activityMenu_ = CreatePopupMenu();
  AppendMenuW(activityMenu_, MF_STRING, ID_CLEAR_ACTIVITY, L"Clear activity window");
}

void CTolvaneDlg::startChoreThread() {
  choreEvent_ = sync_.createEvent(kChoreEventName, false, false);
  schedulerEvent_ = sync_.createEvent(kSchedulerEventName, false, false);
  hotKeys_ = std::make_unique<HotKeyRuntime>(HotKeyRuntimeServices{library_, logs_.sink, sync_, registry_, *companion_,
                                                                   choreEvent_, schedulerEvent_, hwnd(), toolbar_});
  hotKeys_->lastFolder().set(settings_.lastFolder);
  hotKeys_->hook().setMasterKey(settings_.masterHotKey());
  hotKeys_->startChoreThread();
}

void CTolvaneDlg::startExplorerWatch() {
  // Without the companion's export the watch tries Explorer once, as it
  // does where Explorer does not load the companion.
  std::function<bool()> isBhoUp;
  if (companion_->isBhoUp().has_value()) isBhoUp = [this] { return companion_->isBhoUp().value_or(false); };
  explorerWatch_ = std::make_unique<CExplorerWatch>(logs_.sink, std::move(isBhoUp));
  hotKeys_->setStartWatch([this] { explorerWatch_->OnBnClickStartWatch(hwnd(), hotKeys_->lastFolder().get()); });
  explorerWatch_->startAtLaunch(hwnd(), settings_.lastFolder);
}

void CTolvaneDlg::installKeyboardHook() {
  // A refused hook leaves its debug line; hot keys then do nothing.
  hotKeys_->installHook();
}

void CTolvaneDlg::applyAlwaysOnTop() {
  SetWindowPos(hwnd(), settings_.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTolvaneDlg::addTrayIconAndGreet() {
  tray_.attach(hwnd(), smallIcon_);
  setTrayTip(kIdleTrayTip);
  hotKeys_->hook().setSuspended(false);
  writeToActivityLog(kGreeting, false);
  for (const std::u16string& notice : startNotices_) writeToActivityLog(notice, true);
}

void CTolvaneDlg::startOneSecondTimer() { SetTimer(hwnd(), ID_STATUS_TIMER, 1000, nullptr); }

void CTolvaneDlg::startScheduler() {
  if (!schedulerEvent_) return;
  running_ = std::make_unique<RunningLists>(RunningListsServices{
      library_, sync_, logs_.clock, logs_.sink,
      [this](const Chore& chore) { return hotKeys_->executor().executeChore(chore); }, hotKeys_->desktop(), files_,
      hotKeys_->clipboard(), hotKeys_->sounds(),
      [this](std::u16string_view name) { return hotKeys_->launcher().launchChoreList(name); },
      [this](std::u16string_view name) { return hotKeys_->launcher().stopChoreList(name); }, *schedulerEvent_,
      [this] { return hotKeys_->exitRequested(); }, [this] { return logs_.switches.doDebugLog.load(); },
      [this](std::u16string_view tip) { setTrayTip(tip); }});
  running_->attachWindow(hwnd(), tree_.hwnd());
  hotKeys_->launcher().setThreadBody(running_->threadBody());
  if (!running_->startScheduler()) logs_.sink.debug(u"Scheduler thread could not be started.");
}

// ---------------------------------------------------------------------------
// Ending

void CTolvaneDlg::exitSequence() {
  stopWorkers();
  closeStartedExplorers();
  closeSequence();
  closeWorkerHandles();
  removeKeyboardHook();
  if (companion_) companion_->setDebugLogging(false);
  PostQuitMessage(0);
  tray_.remove();
  exiting = true;
}

void CTolvaneDlg::stopWorkers() {
  if (hotKeys_) hotKeys_->requestExit();
  if (choreEvent_) choreEvent_->set();
  if (schedulerEvent_) schedulerEvent_->set();
}

void CTolvaneDlg::closeStartedExplorers() {
  if (explorerWatch_) explorerWatch_->closeStartedExplorers(hwnd());
}

void CTolvaneDlg::closeWorkerHandles() {
  if (hotKeys_) hotKeys_->closeThreadHandle();
}

void CTolvaneDlg::removeKeyboardHook() {
  if (hotKeys_) hotKeys_->removeHook();
}

void CTolvaneDlg::closeSequence() {
  if (companion_) companion_->unregisterServer();
  tree_.rememberInto(settings_);
  if (hotKeys_) settings_.lastFolder = hotKeys_->lastFolder().get();
  saveChoresIfChanged();
  makeBackups();
  saveWindowAndSettings();
}

void CTolvaneDlg::saveChoresIfChanged() {
  if (!choresChanged) return;
  if (settings_.promptSave && !prompts_.askYesNo(u"Do you wish to save the changes before closing?", u"Tolvane")) {
    return;
  }
  saveChoreFiles(library_, ChoreFileServices{files_, logs_.clock, logs_.sink}, choreFileGuard_);
}

void CTolvaneDlg::makeBackups() {
  if (settings_.makeBackup) makeBackup(files_, prompts_, choreFileGuard_);
}

void CTolvaneDlg::saveWindowAndSettings() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  settings_.progWidth = outer.right - outer.left;
  settings_.progHeight = outer.bottom - outer.top;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(hwnd(), &placement);
  const RECT& normal = placement.rcNormalPosition;
  saveSettings(registry_, settings_, PlacementRect{normal.left, normal.top, normal.right, normal.bottom});
}

// ---------------------------------------------------------------------------
// Messages

INT_PTR CTolvaneDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (running_ && running_->handleMessage(message, wParam)) return TRUE;
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      setResult(onNotify(reinterpret_cast<NMHDR*>(lParam)));
      return TRUE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) layOut();
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (minTrackWidth > 0) info->ptMinTrackSize = {minTrackWidth, minTrackHeight};
      return TRUE;
    }
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    case WM_TIMER:
      if (wParam == ID_STATUS_TIMER) {
        refreshStatus(false);
        updateRunStopButtons();
        if (hotKeys_) hotKeys_->onTimer();
      }
      return TRUE;
    case kTrayCallbackMessage:
      onTrayNotify(lParam);
      return TRUE;
    case ListActivityView::kDrainMessage:
      logs_.view.drain();
      return TRUE;
    case WM_CONTEXTMENU:
      onContextMenu(reinterpret_cast<HWND>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return TRUE;
    case WM_INITMENUPOPUP:
      updateCommandStates(reinterpret_cast<HMENU>(wParam));
      return TRUE;
    case WM_QUERYENDSESSION:
      setResult(TRUE);
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) closeSequence();
      return TRUE;
    case WM_DESTROY:
      KillTimer(hwnd(), ID_STATUS_TIMER);
      if (running_) running_->attachWindow(nullptr, nullptr);
      logs_.view.attach(nullptr, nullptr);
      tray_.remove();
      theMainWindow = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

bool CTolvaneDlg::isCommandAvailable(int id) const {
  switch (id) {
    case IDCANCEL:
    case ID_FILE_EXIT:
    case ID_TRAY_SHOW:
    case ID_TRAY_EXIT:
    case ID_CLEAR_ACTIVITY:
    case ID_APP_ABOUT:
      return true;
    case ID_RUN_SELECTED:
    case ID_TREE_RUN: {
      const TreeItemKind kind = tree_.selected().kind;
      if (kind == TreeItemKind::List) return running_ && !isSelectedListRunning();
      return hotKeys_ && (kind == TreeItemKind::Chore || kind == TreeItemKind::Step);
    }
    case ID_STOP_SELECTED:
    case ID_TREE_STOP:
      return running_ && isSelectedListRunning();
    default:
      if (id >= ID_TRAY_STOP_FIRST && id < ID_TRAY_STOP_FIRST + ID_TRAY_STOP_COUNT) return running_ != nullptr;
      // The editors, running and stopping, sorting, cloning, deleting and
      // help come with the parts of the program that carry them out.
      return false;
  }
}

// The toolbar is made before the tree is filled, so Run and Stop follow the
// selection, and a list's start or end, from here.
void CTolvaneDlg::updateRunStopButtons() {
  for (const int id : {ID_RUN_SELECTED, ID_STOP_SELECTED}) {
    const bool available = isCommandAvailable(id);
    if ((SendMessageW(toolbar_, TB_ISBUTTONENABLED, id, 0) != 0) != available) {
      SendMessageW(toolbar_, TB_ENABLEBUTTON, id, MAKELONG(available, 0));
    }
  }
}

void CTolvaneDlg::updateCommandStates(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id == static_cast<UINT>(-1) || id == 0) continue;
    EnableMenuItem(menu, i, MF_BYPOSITION | (isCommandAvailable(static_cast<int>(id)) ? MF_ENABLED : MF_GRAYED));
  }
}

void CTolvaneDlg::onCommand(int id) {
  if (!isCommandAvailable(id)) return;
  switch (id) {
    case IDCANCEL:
    case ID_FILE_EXIT:
      onExitCommand();
      break;
    case ID_TRAY_EXIT:
      exitSequence();
      break;
    case ID_TRAY_SHOW:
      showWindowFromTray();
      break;
    case ID_RUN_SELECTED:
    case ID_TREE_RUN:
      runSelectedChore();
      break;
    case ID_STOP_SELECTED:
    case ID_TREE_STOP:
      running_->stopList(tree_.selected().name);
      break;
    case ID_CLEAR_ACTIVITY:
      logs_.activityLog.clearByUser();
      break;
    case ID_APP_ABOUT: {
      if (aboutOpen) break;
      aboutOpen = true;
      const std::u16string text = formatText(u"Tolvane v%s\nTolvaneBho.dll v%s", versionText(GetModuleHandleW(nullptr)),
                                             companionVersionText());
      MessageBoxW(hwnd(), toWide(text).c_str(), L"About Tolvane", MB_OK | MB_ICONINFORMATION);
      aboutOpen = false;
      break;
    }
    default:
      if (id >= ID_TRAY_STOP_FIRST && id < ID_TRAY_STOP_FIRST + ID_TRAY_STOP_COUNT) {
        running_->stopRunningListAt(id - ID_TRAY_STOP_FIRST);
      }
      break;
  }
}

void CTolvaneDlg::runSelectedChore() {
  const TreeItemInfo selected = tree_.selected();
  if (selected.kind == TreeItemKind::Chore || selected.kind == TreeItemKind::Step) hotKeys_->runChore(selected.name);
  if (selected.kind == TreeItemKind::List && running_) running_->runList(selected.name);
}

void CTolvaneDlg::onExitCommand() {
  if (settings_.exitSystray) {
    ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  exitSequence();
}

void CTolvaneDlg::showWindowFromTray() {
  ShowWindow(hwnd(), SW_SHOW);
  if (IsIconic(hwnd())) {
    ShowWindow(hwnd(), SW_RESTORE);
  } else {
    SetForegroundWindow(hwnd());
  }
}

void CTolvaneDlg::onTrayNotify(LPARAM event) {
  if (event == WM_LBUTTONDBLCLK) showWindowFromTray();
  if (event == WM_RBUTTONUP) showTrayMenu();
}

void CTolvaneDlg::showTrayMenu() {
  HMENU menu = CreatePopupMenu();
  const std::wstring title = toWide(formatText(u"Tolvane v%s", versionText(GetModuleHandleW(nullptr))));
  AppendMenuW(menu, MF_STRING, ID_APP_ABOUT, title.c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | (isCommandAvailable(ID_VIEW_HOTKEYS) ? 0 : MF_GRAYED), ID_VIEW_HOTKEYS,
              L"View &Hot keys");
  AppendMenuW(menu, MF_STRING | (IsWindowVisible(hwnd()) ? MF_GRAYED : 0), ID_TRAY_SHOW, L"&Show Tolvane");
  const std::vector<std::u16string> running = runningListNames(library_);
  if (!running.empty()) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const int shown = std::min<int>(static_cast<int>(running.size()), kTrayStopItemsMax);
    for (int i = 0; i < shown; ++i) {
      const std::wstring caption = toWide(u"Stop \"" + running[i] + u"\"");
      AppendMenuW(menu, MF_STRING | (isCommandAvailable(ID_TRAY_STOP_FIRST + i) ? 0 : MF_GRAYED),
                  ID_TRAY_STOP_FIRST + i, caption.c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  AppendMenuW(menu, MF_STRING, ID_TRAY_EXIT, L"E&xit the program now");

  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(hwnd());
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void CTolvaneDlg::onContextMenu(HWND source, int x, int y) {
  if (source == activityList_) {
    TrackPopupMenu(activityMenu_, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    return;
  }
  if (source != tree_.hwnd()) return;
  POINT point{x, y};
  TVHITTESTINFO hit{};
  hit.pt = point;
  ScreenToClient(tree_.hwnd(), &hit.pt);
  HTREEITEM item = TreeView_HitTest(tree_.hwnd(), &hit);
  if (!item || !(hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON))) return;
  TreeView_SelectItem(tree_.hwnd(), item);
  const TreeItemInfo info = tree_.describe(item);
  if (info.kind == TreeItemKind::ChoresRoot || info.kind == TreeItemKind::ListsRoot) {
    HMENU sortMenu = CreatePopupMenu();
    AppendMenuW(sortMenu, MF_STRING, ID_SORT_BY_NAME, L"Sort by name");
    if (info.kind == TreeItemKind::ChoresRoot) AppendMenuW(sortMenu, MF_STRING, ID_SORT_BY_TYPE, L"Sort by type");
    updateCommandStates(sortMenu);
    TrackPopupMenu(sortMenu, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    DestroyMenu(sortMenu);
    return;
  }
  updateCommandStates(treeMenu_);
  TrackPopupMenu(treeMenu_, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
}

LRESULT CTolvaneDlg::onNotify(NMHDR* header) {
  if (header->idFrom == IDC_ACTIVITY_LIST && header->code == NM_CUSTOMDRAW) {
    return onActivityCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
  }
  if (header->idFrom == IDC_CHORE_TREE && header->code == TVN_SELCHANGEDW) {
    updateRunStopButtons();
    return 0;
  }
  if (header->idFrom == IDC_CHORE_TREE && header->code == TVN_GETINFOTIPW) {
    onTreeInfoTip(reinterpret_cast<NMTVGETINFOTIPW*>(header));
    return 0;
  }
  if (header->idFrom == IDC_CHORE_TREE && header->code == NM_DBLCLK && isCommandAvailable(ID_RUN_SELECTED)) {
    runSelectedChore();
    return TRUE;
  }
  if (header->idFrom == IDC_CHORE_TREE && header->code == TVN_BEGINLABELEDITW) {
    // Renaming comes with the editing commands; until then labels stay.
    return TRUE;
  }
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (const wchar_t* tip = toolbarTip(static_cast<int>(header->idFrom))) {
      info->lpszText = const_cast<wchar_t*>(tip);
    }
    return 0;
  }
  return 0;
}

LRESULT CTolvaneDlg::onActivityCustomDraw(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const bool odd = (draw->nmcd.dwItemSpec % 2) == 1;
      draw->clrTextBk = odd ? RGB(227, 230, 197) : RGB(220, 220, 197);
      draw->clrText = draw->nmcd.lItemlParam != 0 ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void CTolvaneDlg::onTreeInfoTip(NMTVGETINFOTIPW* tip) {
  if (!tip->pszText || tip->cchTextMax <= 0) return;
  const TreeItemInfo info = tree_.describe(tip->hItem);
  if (!keyNames_) keyNames_ = std::make_unique<Win32KeyNames>();
  KeyNames& keyNames = *keyNames_;
  std::u16string text;
  switch (info.kind) {
    case TreeItemKind::Chore:
      text = choreSummaryText(library_, info.name, keyNames);
      break;
    case TreeItemKind::Step: {
      const ChoreList list = library_.copyChoreList(info.listName);
      if (info.stepIndex >= 0 && info.stepIndex < static_cast<int>(list.steps.size())) {
        text = stepSummaryText(library_, list.steps[info.stepIndex], keyNames);
      }
      break;
    }
    case TreeItemKind::List: {
      TVHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(tree_.hwnd(), &hit.pt);
      TreeView_HitTest(tree_.hwnd(), &hit);
      const ListSummaryPart part =
          (hit.flags & TVHT_ONITEMICON) ? ListSummaryPart::OverIcon : ListSummaryPart::OverLabel;
      text = listSummaryText(library_.copyChoreList(info.name), part, keyNames, logs_.clock);
      break;
    }
    default:
      break;
  }
  const std::wstring wide = toWide(text);
  const std::size_t count = std::min<std::size_t>(wide.size(), static_cast<std::size_t>(tip->cchTextMax - 1));
  wide.copy(tip->pszText, count);
  tip->pszText[count] = L'\0';
}

// ---------------------------------------------------------------------------
// Layout and status

double CTolvaneDlg::dpiScale() const {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT dpi = getDpiForWindow ? getDpiForWindow(hwnd()) : 0;
  if (dpi == 0) {
    HDC dc = GetDC(hwnd());
    dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
    ReleaseDC(hwnd(), dc);
  }
  return dpi == 0 ? 1.0 : dpi / 96.0;
}

void CTolvaneDlg::layOut() {
  if (!statusBar_ || !activityList_) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  SendMessageW(statusBar_, WM_SIZE, 0, 0);
  RECT status{};
  GetWindowRect(statusBar_, &status);
  const int statusHeight = status.bottom - status.top;

  RECT treeNow{};
  GetWindowRect(tree_.hwnd(), &treeNow);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&treeNow), 2);
  const double scale = dpiScale();
  const MainLayout layout = computeMainLayout(client.right, client.bottom, treeNow.top, statusHeight, scale);

  MoveWindow(toolbar_, layout.toolbar.left, layout.toolbar.top, layout.toolbar.width(), layout.toolbar.height(), TRUE);
  MoveWindow(tree_.hwnd(), layout.tree.left, layout.tree.top, layout.tree.width(), layout.tree.height(), TRUE);
  MoveWindow(activityList_, layout.activity.left, layout.activity.top, layout.activity.width(),
             layout.activity.height(), TRUE);
  ListView_SetColumnWidth(activityList_, 1, LVSCW_AUTOSIZE_USEHEADER);

  wchar_t chores[64] = {};
  SendMessageW(statusBar_, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(chores));
  const int choresWidth = textWidth(statusBar_, chores) + static_cast<int>(24 * scale);
  int parts[2] = {std::max(0, static_cast<int>(client.right) - choresWidth), -1};
  SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

bool CTolvaneDlg::isSelectedListRunning() const {
  const TreeItemInfo selected = tree_.selected();
  return selected.kind == TreeItemKind::List && library_.copyChoreList(selected.name).inProgress;
}

void CTolvaneDlg::refreshStatus(bool full) {
  if (!statusBar_) return;
  if (full) {
    const std::wstring counts = toWide(choreCountText(library_.choreCount(), library_.choreListCount()));
    SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(counts.c_str()));
  }
  const std::wstring text = toWide(statusText(runningListNames(library_)));
  wchar_t shown[1024] = {};
  if (LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, 0, 0)) < std::size(shown)) {
    SendMessageW(statusBar_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  }
  if (text == shown) return;
  SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(statusBar_, SB_SETTIPTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace tolvane::win32
