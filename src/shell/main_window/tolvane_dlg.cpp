#include "shell/main_window/tolvane_dlg.h"

#include <commctrl.h>
#include <objbase.h>
#include <windowsx.h>

#include <atomic>
#include <vector>

#include "base/format.h"
#include "win32_common/wide.h"
#include "shell/main_window/main_layout.h"
#include "shell/main_window/tree_notifications.h"
#include "shell/resource.h"
#include "shell/tray/tray_menu.h"

namespace tolvane::win32 {

namespace {

std::atomic<HWND> theMainWindow{nullptr};

constexpr wchar_t kCaption[] = L"Tolvane";

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

}  // namespace

CTolvaneDlg::CTolvaneDlg(HINSTANCE instance)
    : CDialogBase(instance, IDD_TOLVANE_DIALOG),
      core_(std::make_unique<TolvaneCore>()),
      store_(core_->library(), tree_, core_->clock(), libraryEffects()),
      treeEdits_(core_->library(), tree_, store_, core_->prompts(), libraryEffects()),
      parts_{nullptr, instance, *core_, tree_, store_, treeEdits_, [this] { exitSequence(); }} {
  comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  addMainCommands(commands_, parts_);
  addChoreCommands(commands_, parts_);
  addListCommands(commands_, parts_);
  addViewCommands(commands_, parts_);
}

CTolvaneDlg::~CTolvaneDlg() {
  // Nothing a worker thread may touch goes before the worker has ended. A
  // list still waiting for the user's answer keeps the whole core, and the
  // end of the process takes it.
  if (!core_->endWorkers(TolvaneCore::kWorkerEndWaitMs)) {
    core_->log().debug(u"Worker threads still running at exit; they end with the process.");
    static_cast<void>(core_.release());
  }
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
  parts_.window = hwnd();
  core_->attachWindow(CoreWindow{hwnd(), item(IDC_CHORE_TREE), item(IDC_ACTIVITY_LIST),
                                 [this](bool on) {
                                   if (toolbar_) SendMessageW(toolbar_, TB_ENABLEBUTTON, ID_VIEW_HOTKEYS, MAKELONG(on, 0));
                                 },
                                 [this](std::u16string_view tip) { setTrayTip(tip); }});
  core_->takeProgramFolder();
  setWindowIcons();
  loadSettingsAndPlacement();
  core_->createLogMutexes();
  bindCompanion();
  createBars();
  setUpActivityList();
  loadChoresAndFillTree();
  status_.refresh(core_->library(), true);
  layOut();
  core_->startChoreThread();
  core_->startExplorerWatch();
  core_->installKeyboardHook();
  applyAlwaysOnTop(parts_);
  addTrayIconAndGreet();
  if (HWND tips = TreeView_GetToolTips(tree_.hwnd())) SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 12000);
  startOneSecondTimer();
  if (core_->settings().minimizeOnStart) ShowWindow(hwnd(), SW_MINIMIZE);
  core_->startScheduler();
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

  status_.create(hwnd(), instance(), IDC_STATUS_BAR);

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
}

void CTolvaneDlg::loadChoresAndFillTree() {
  tree_.attach(item(IDC_CHORE_TREE));
  tree_.loadImages(instance(), IDB_TREE_IMAGES);
  core_->loadChores();
  tree_.fill(core_->library(), core_->settings(), core_->clock());
  applyTreeColor(parts_, core_->settings().treeBkColor);
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
  core_->closeStartedExplorers();
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
  if (core_->handleMessage(message, wParam)) return TRUE;
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
        status_.refresh(core_->library(), false);
        updateToolbar();
        core_->onTimer();
      }
      return TRUE;
    case kTrayCallbackMessage:
      onTrayNotify(hwnd(), lParam, [this](HMENU menu) { commands_.updateMenu(menu); }, core_->library());
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
      // Every menu is brought up to date as it opens.
      if (!treeMenus_.updateItemMenu(reinterpret_cast<HMENU>(wParam))) {
        commands_.updateMenu(reinterpret_cast<HMENU>(wParam));
      }
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
      core_->detachWindow();
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
  // The hot-key button also shows whether hot keys are on.
  commands_.updateToolbar(toolbar_, [this](int id) { return id != ID_VIEW_HOTKEYS || core_->hotKeysOn(); });
}

void CTolvaneDlg::onContextMenu(HWND source, int x, int y) {
  if (source == tree_.hwnd()) return treeMenus_.show(hwnd(), x, y);
  if (source != activityList_) return;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, ID_CLEAR_ACTIVITY, L"Clear activity window");
  commands_.updateMenu(menu);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
  DestroyMenu(menu);
}

LRESULT CTolvaneDlg::onNotify(NMHDR* header) {
  if (header->idFrom == IDC_ACTIVITY_LIST && header->code == NM_CUSTOMDRAW) {
    return onActivityCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
  }
  if (header->idFrom == IDC_CHORE_TREE) return onTreeNotify(header, parts_, commands_, [this] { updateToolbar(); });
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

// ---------------------------------------------------------------------------
// Layout and status

void CTolvaneDlg::layOut() {
  if (!status_.hwnd() || !activityList_) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int statusHeight = status_.height();

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
  status_.fitPanes(client.right, scale);
}

void CTolvaneDlg::libraryChanged() {
  core_->markChoresChanged();
  status_.refresh(core_->library(), true);
}

}  // namespace tolvane::win32
