#include "shell/main_window/tolvane_dlg.h"

#include <commctrl.h>
#include <objbase.h>
#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "base/format.h"
#include "controls/window_text/window_text.h"
#include "library/summary_text.h"
#include "platform/win32/common/wide.h"
#include "shell/main_window/main_layout.h"
#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

std::atomic<HWND> theMainWindow{nullptr};

constexpr wchar_t kCaption[] = L"Tolvane";
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

bool itemMenuOffers(const ItemMenuState& offered, int command) {
  const std::pair<int, bool> items[] = {
      {ID_TREE_EDIT, offered.edit},     {ID_TREE_CLONE, offered.clone}, {ID_TREE_RUN, offered.run},
      {ID_TREE_DELETE, offered.remove}, {ID_TREE_STOP, offered.stop},   {ID_TREE_SCHEDULE, offered.schedule}};
  for (const auto& [id, offers] : items) {
    if (id == command) return offers;
  }
  return true;
}

const wchar_t* toolbarTip(int command) {
  for (const ToolbarButton& button : kToolbarButtons) {
    if (button.command == command && button.tip) return button.tip;
  }
  return nullptr;
}

}  // namespace

CTolvaneDlg::CTolvaneDlg(HINSTANCE instance)
    : CDialogBase(instance, IDD_TOLVANE_DIALOG),
      core_(std::make_unique<TolvaneCore>()),
      store_(core_->library(), tree_, core_->logs().clock,
             {[this] { libraryChanged(); }, [this] { core_->wakeScheduler(); }}),
      treeEdits_(core_->library(), tree_, store_, core_->prompts(), [this] { libraryChanged(); }) {
  comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  addCommandRows();
}

CTolvaneDlg::~CTolvaneDlg() {
  // Nothing a worker thread may touch goes before the worker has ended. A
  // list still waiting for the user's answer keeps the whole core, and the
  // end of the process takes it.
  if (!core_->endWorkers(TolvaneCore::kWorkerEndWaitMs)) {
    core_->log().debug(u"Worker threads still running at exit; they end with the process.");
    static_cast<void>(core_.release());
  }
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
  core_->setOwnerWindow(hwnd());
  core_->takeProgramFolder();
  setWindowIcons();
  loadSettingsAndPlacement();
  core_->createLogMutexes();
  bindCompanion();
  createBars();
  setUpActivityList();
  loadChoresAndFillTree();
  refreshStatus(true);
  layOut();
  buildContextMenus();
  core_->startChoreThread(hwnd(), toolbar_);
  core_->startExplorerWatch(hwnd());
  core_->installKeyboardHook();
  applyAlwaysOnTop();
  addTrayIconAndGreet();
  if (HWND tips = TreeView_GetToolTips(tree_.hwnd())) SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 12000);
  startOneSecondTimer();
  if (core_->settings().minimizeOnStart) ShowWindow(hwnd(), SW_MINIMIZE);
  core_->startScheduler(hwnd(), tree_.hwnd(), [this](std::u16string_view tip) { setTrayTip(tip); });
  updateToolbar();
  // Last: a requester waiting for a starting Tolvane takes the pipe as
  // the sign that everything is ready.
  requests_ = std::make_unique<RequestService>(*core_, hwnd(), [this] { return exiting_; });
  requests_->start();
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
  PlacementRect saved = core_->loadSettings();
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

void CTolvaneDlg::bindCompanion() {
  if (core_->bindCompanion()) return;
  const std::u16string text = formatText(
      u"Tolvane companion DLL, TolvaneBho.dll, failed to load: errCode=%08.8x.\n\nThe DLL file should exist in the "
      u"same directory where Tolvane is installed.\nIn order to restore it, you may try re-installing the program.",
      static_cast<std::uint32_t>(core_->companionLoadError()));
  MessageBoxW(hwnd(), toWide(text).c_str(), kCaption, MB_OK | MB_ICONERROR);
}

void CTolvaneDlg::createBars() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  minTrackWidth_ = outer.right - outer.left;
  minTrackHeight_ = outer.bottom - outer.top;

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
    added.fsState = TBSTATE_WRAP;
    added.fsStyle = button.image < 0 ? BTNS_SEP : BTNS_BUTTON;
    buttons.push_back(added);
  }
  SendMessageW(toolbar_, TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

  RECT client{};
  GetClientRect(hwnd(), &client);
  const Settings& settings = core_->settings();
  const int width = settings.progWidth != 0 ? settings.progWidth : client.right;
  const int height = settings.progHeight != 0 ? settings.progHeight : client.bottom;
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
  core_->logs().view.attach(hwnd(), activityList_);
}

void CTolvaneDlg::loadChoresAndFillTree() {
  tree_.attach(item(IDC_CHORE_TREE));
  tree_.loadImages(instance(), IDB_TREE_IMAGES);
  core_->loadChores();
  tree_.fill(core_->library(), core_->settings(), core_->logs().clock);
  applyTreeColor(core_->settings().treeBkColor);
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

void CTolvaneDlg::applyAlwaysOnTop() {
  SetWindowPos(hwnd(), core_->settings().alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTolvaneDlg::addTrayIconAndGreet() {
  tray_.attach(hwnd(), smallIcon_);
  setTrayTip(kIdleTrayTip);
  core_->greet();
}

void CTolvaneDlg::startOneSecondTimer() { SetTimer(hwnd(), ID_STATUS_TIMER, 1000, nullptr); }

// ---------------------------------------------------------------------------
// Ending

// Nothing stops before the chores are saved or the user declined: after
// Cancel, hot keys, schedules and a later exit work as before.
void CTolvaneDlg::exitSequence() {
  if (exiting_) return;
  exiting_ = true;
  if (!closeSequence(CloseKind::Exit)) {
    exiting_ = false;
    return;
  }
  core_->requestWorkersExit();
  core_->closeStartedExplorers(hwnd());
  core_->unregisterCompanion();
  core_->removeKeyboardHook();
  PostQuitMessage(0);
  tray_.remove();
}

bool CTolvaneDlg::closeSequence(CloseKind kind) {
  tree_.rememberInto(core_->settings());
  if (!core_->saveChoresOnClose(kind)) return false;
  core_->saveSettings(takeWindowPlacement());
  return true;
}

PlacementRect CTolvaneDlg::takeWindowPlacement() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  core_->settings().progWidth = outer.right - outer.left;
  core_->settings().progHeight = outer.bottom - outer.top;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(hwnd(), &placement);
  const RECT& normal = placement.rcNormalPosition;
  return PlacementRect{normal.left, normal.top, normal.right, normal.bottom};
}

// ---------------------------------------------------------------------------
// Messages

INT_PTR CTolvaneDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (core_->running() && core_->running()->handleMessage(message, wParam)) return TRUE;
  switch (message) {
    case WM_COMMAND:
      commands_.run(LOWORD(wParam));
      // A dialog the command showed greyed the buttons while it was open.
      updateToolbar();
      return TRUE;
    case WM_NOTIFY:
      setResult(onNotify(reinterpret_cast<NMHDR*>(lParam)));
      return TRUE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) layOut();
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (minTrackWidth_ > 0) info->ptMinTrackSize = {minTrackWidth_, minTrackHeight_};
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
        updateToolbar();
        if (core_->hotKeys()) core_->hotKeys()->onTimer();
      }
      return TRUE;
    case kTrayCallbackMessage:
      onTrayNotify(lParam);
      return TRUE;
    case ListActivityView::kDrainMessage:
      core_->logs().view.drain();
      return TRUE;
    case TreeEdits::kFinishRenameMessage:
      treeEdits_.finishRename();
      return TRUE;
    case RequestService::kServeMessage:
      if (requests_) requests_->serve();
      return TRUE;
    case WM_HELP:
      // F1 in a dialog the window owns (an editor, the wizard) reaches it
      // here; in the window itself it is the accelerator's 57670.
      commands_.run(ID_HELP_TOPIC);
      return TRUE;
    case WM_CONTEXTMENU:
      onContextMenu(reinterpret_cast<HWND>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return TRUE;
    case WM_INITMENUPOPUP:
      updatePopupMenu(reinterpret_cast<HMENU>(wParam));
      return TRUE;
    case WM_QUERYENDSESSION:
      setResult(TRUE);
      return TRUE;
    case WM_ENDSESSION:
      // Nothing is asked now; the process ends after this returns.
      if (wParam) {
        closeSequence(CloseKind::SessionEnd);
        core_->unregisterCompanion();
      }
      return TRUE;
    case WM_DESTROY:
      requests_.reset();
      KillTimer(hwnd(), ID_STATUS_TIMER);
      if (core_->running()) core_->running()->attachWindow(nullptr, nullptr);
      core_->logs().view.attach(nullptr, nullptr);
      tray_.remove();
      theMainWindow = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

// The toolbar follows the selection, the commands, a list's start and end,
// and the hot keys' state from here: nothing else tells it.
void CTolvaneDlg::updateToolbar() {
  HotKeyRuntime* hotKeys = core_->hotKeys();
  commands_.updateToolbar(toolbar_, [hotKeys](int id) {
    // The hot-key button also shows whether hot keys are on.
    return id != ID_VIEW_HOTKEYS ||
           (hotKeys && !hotKeys->hook().suspended() && hotKeys->hook().processingEnabled().load());
  });
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
  AppendMenuW(menu, MF_STRING, ID_VIEW_HOTKEYS, L"View &Hot keys");
  AppendMenuW(menu, MF_STRING, ID_TRAY_SHOW, L"&Show Tolvane");
  const std::vector<std::u16string> running = runningListNames(core_->library());
  if (!running.empty()) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const int shown = std::min<int>(static_cast<int>(running.size()), kTrayStopItemsMax);
    for (int i = 0; i < shown; ++i) {
      const std::wstring caption = toWide(u"Stop \"" + running[i] + u"\"");
      AppendMenuW(menu, MF_STRING, ID_TRAY_STOP_FIRST + i, caption.c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  AppendMenuW(menu, MF_STRING, ID_TRAY_EXIT, L"E&xit the program now");
  commands_.updateMenu(menu);

  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(hwnd());
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void CTolvaneDlg::onContextMenu(HWND source, int x, int y) {
  if (source == activityList_) {
    commands_.updateMenu(activityMenu_);
    TrackPopupMenu(activityMenu_, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    return;
  }
  if (source != tree_.hwnd()) return;
  // From the keyboard (Shift+F10, the menu key): the selected item's menu
  // at the item.
  if (x == -1 && y == -1) {
    HTREEITEM selected = TreeView_GetSelection(tree_.hwnd());
    RECT label{};
    if (!selected || !TreeView_GetItemRect(tree_.hwnd(), selected, &label, TRUE)) return;
    POINT at{label.left, label.bottom};
    ClientToScreen(tree_.hwnd(), &at);
    showTreeMenu(selected, at.x, at.y);
    return;
  }
  if (HTREEITEM item = tree_.itemAt(POINT{x, y})) showTreeMenu(item, x, y);
}

void CTolvaneDlg::showTreeMenu(HTREEITEM item, int x, int y) {
  TreeView_SelectItem(tree_.hwnd(), item);
  const TreeItemInfo info = tree_.describe(item);
  if (info.kind == TreeItemKind::ChoresRoot || info.kind == TreeItemKind::ListsRoot) {
    HMENU sortMenu = CreatePopupMenu();
    AppendMenuW(sortMenu, MF_STRING, ID_SORT_BY_NAME, L"Sort by name");
    if (info.kind == TreeItemKind::ChoresRoot) AppendMenuW(sortMenu, MF_STRING, ID_SORT_BY_TYPE, L"Sort by type");
    commands_.updateMenu(sortMenu);
    TrackPopupMenu(sortMenu, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    DestroyMenu(sortMenu);
    return;
  }
  TrackPopupMenu(treeMenu_, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
}

// Every menu is brought up to date as it opens; the item menu offers what
// the item's own rules allow of what the window can do now.
void CTolvaneDlg::updatePopupMenu(HMENU menu) {
  if (menu != treeMenu_) return commands_.updateMenu(menu);
  const ItemMenuState offered = treeEdits_.itemMenu();
  commands_.updateMenu(menu, [offered](int id) { return itemMenuOffers(offered, id); });
}

LRESULT CTolvaneDlg::onNotify(NMHDR* header) {
  if (header->idFrom == IDC_ACTIVITY_LIST && header->code == NM_CUSTOMDRAW) {
    return onActivityCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
  }
  if (header->idFrom == IDC_CHORE_TREE) return onTreeNotify(header);
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (const wchar_t* tip = toolbarTip(static_cast<int>(header->idFrom))) {
      info->lpszText = const_cast<wchar_t*>(tip);
    }
    return 0;
  }
  return 0;
}

LRESULT CTolvaneDlg::onTreeNotify(NMHDR* header) {
  switch (header->code) {
    case TVN_SELCHANGEDW:
      updateToolbar();
      return 0;
    case TVN_GETINFOTIPW:
      onTreeInfoTip(reinterpret_cast<NMTVGETINFOTIPW*>(header));
      return 0;
    case NM_DBLCLK:
      return runDoubleClickedItem() ? TRUE : FALSE;
    case TVN_BEGINLABELEDITW:
      // TRUE refuses the edit.
      return treeEdits_.mayRename(reinterpret_cast<NMTVDISPINFOW*>(header)->item.hItem) ? FALSE : TRUE;
    case TVN_ENDLABELEDITW: {
      const TVITEMW& edited = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
      treeEdits_.labelEdited(edited.hItem, edited.pszText);
      // The label changes with the library, once the new name is taken.
      return FALSE;
    }
    case TVN_KEYDOWN: {
      const WORD key = reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey;
      if (key == VK_F2) treeEdits_.editSelectedLabel();
      if (key == VK_DELETE) commands_.run(ID_TREE_DELETE);
      return 0;
    }
    default:
      return 0;
  }
}

// A double-click on an item's label or icon runs that item; one on empty
// space or a +/- button is no request to run whatever was selected.
bool CTolvaneDlg::runDoubleClickedItem() {
  const DWORD at = GetMessagePos();
  HTREEITEM item = tree_.itemAt(POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)});
  if (!item) return false;
  tree_.select(item);
  return commands_.run(ID_RUN_SELECTED);
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
  const ChoreLibrary& library = core_->library();
  KeyNames& keyNames = core_->keyNames();
  std::u16string text;
  switch (info.kind) {
    case TreeItemKind::Chore:
      text = choreSummaryText(library, info.name, keyNames);
      break;
    case TreeItemKind::Step: {
      const ChoreList list = library.copyChoreList(info.listName);
      if (info.stepIndex >= 0 && info.stepIndex < static_cast<int>(list.steps.size())) {
        text = stepSummaryText(library, list.steps[info.stepIndex], keyNames);
      }
      break;
    }
    case TreeItemKind::List: {
      TVHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(tree_.hwnd(), &hit.pt);
      TreeView_HitTest(tree_.hwnd(), &hit);
      text = listSummaryText(library.copyChoreList(info.name), listTipPart(hit.flags), keyNames, core_->logs().clock);
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

void CTolvaneDlg::libraryChanged() {
  core_->markChoresChanged();
  refreshStatus(true);
}

void CTolvaneDlg::refreshStatus(bool full) {
  if (!statusBar_) return;
  const ChoreLibrary& library = core_->library();
  if (full) {
    const std::wstring counts = toWide(choreCountText(library.choreCount(), library.choreListCount()));
    SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(counts.c_str()));
  }
  const std::wstring text = toWide(statusText(runningListNames(library)));
  wchar_t shown[1024] = {};
  if (LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, 0, 0)) < std::size(shown)) {
    SendMessageW(statusBar_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  }
  if (text == shown) return;
  SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(statusBar_, SB_SETTIPTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace tolvane::win32
