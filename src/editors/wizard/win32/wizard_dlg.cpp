#include "editors/wizard/win32/wizard_dlg.h"

#include "editors/dialog_ids.h"
#include "editors/wizard/win32/wizard_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

constexpr UINT_PTR kTestTimer = 1;
constexpr UINT kTestPollMs = 30;

}  // namespace

std::optional<WizardResult> runChoreWizard(HWND parent, const EditorContext& context) {
  CWizardDlg wizard(GetModuleHandleW(nullptr), context);
  const INT_PTR answer = wizard.runModal(parent);
  // Whatever closed it (Cancel, the close box, the end of the session).
  wizard.stopEverything();
  if (answer != IDOK) return std::nullopt;
  return wizard.result();
}

CWizardDlg::CWizardDlg(HINSTANCE instance, const EditorContext& context)
    : CDialogBase(instance, IDD_WIZARD),
      context_(context),
      editor_(context.library),
      type_(instance),
      program_(instance, context),
      keys_(instance, context, [this] { updateButtons(); }),
      name_(instance, context, [this] { return proposedName(); }) {}

CWizardDlg::~CWizardDlg() {
  if (headerFont_) DeleteObject(headerFont_);
  if (picture_) DeleteObject(picture_);
}

CWizPage& CWizardDlg::page(WizardPage which) {
  switch (which) {
    case WizardPage::Type:
      return type_;
    case WizardPage::Program:
      return program_;
    case WizardPage::Keys:
      return keys_;
    case WizardPage::Name:
      break;
  }
  return name_;
}

BOOL CWizardDlg::onInitDialog() {
  const WizardOpening opening = editor_.open();
  SetWindowTextW(hwnd(), toWide(opening.caption).c_str());
  setEnterButtons({IDC_WIZ_BACK, IDOK, IDC_WIZ_TEST, IDCANCEL});
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof(font), &font);
  font.lfWeight = FW_BOLD;
  headerFont_ = CreateFontIndirectW(&font);
  SendMessageW(item(IDC_WIZ_HEADER), WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_), FALSE);
  RECT picture{};
  GetClientRect(item(IDC_WIZ_PICTURE), &picture);
  picture_ = static_cast<HBITMAP>(LoadImageW(instance(), MAKEINTRESOURCEW(IDB_WIZARD), IMAGE_BITMAP, picture.right,
                                             picture.bottom, LR_DEFAULTCOLOR));
  SendMessageW(item(IDC_WIZ_PICTURE), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
  placePages();
  centreOnOwner();
  showPage(opening.page);
  type_.focusFirstChoice();
  return FALSE;
}

void CWizardDlg::placePages() {
  RECT area{};
  GetWindowRect(item(IDC_WIZ_PAGE_AREA), &area);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
  for (CWizPage* each : std::array<CWizPage*, kWizardPageCount>{&type_, &program_, &keys_, &name_}) {
    each->create(hwnd());
    // First in the tab order, before the frame's buttons.
    SetWindowPos(each->hwnd(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_HIDEWINDOW);
  }
}

void CWizardDlg::showPage(WizardPage which) {
  ShowWindow(page(current_).hwnd(), SW_HIDE);
  current_ = which;
  ShowWindow(page(current_).hwnd(), SW_SHOW);
  setText(IDC_WIZ_HEADER, pageTitle(which));
  updateButtons();
  page(current_).onShow();
}

void CWizardDlg::updateButtons() {
  const WizardActivity activity = testing_           ? WizardActivity::Testing
                                  : keys_.capturing() ? WizardActivity::Capturing
                                                      : WizardActivity::None;
  const FrameButtons buttons = frameButtons(current_, activity);
  enable(IDC_WIZ_BACK, buttons.backEnabled);
  enable(IDOK, buttons.nextEnabled);
  setText(IDOK, buttons.nextLabel);
  enable(IDC_WIZ_TEST, buttons.testEnabled);
  setText(IDC_WIZ_TEST, buttons.testLabel);
}

INT_PTR CWizardDlg::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_TIMER && wParam == kTestTimer) {
    pollTest();
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      onNext();
      return TRUE;
    case IDC_WIZ_BACK:
      onBack();
      return TRUE;
    case IDC_WIZ_TEST:
      onTest();
      return TRUE;
    case IDCANCEL:
      onCancel();
      return TRUE;
  }
  return FALSE;
}

bool CWizardDlg::preTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  const HWND focus = GetFocus();
  const HWND current = page(current_).hwnd();
  if (!focus || (focus != current && !IsChild(current, focus))) return false;
  if (message.wParam == VK_RETURN) return onEnter(focus);
  return page(current_).onPageKey(message.wParam);
}

// Enter on the page: its own buttons run, other controls ignore it where the
// page says so, and everything else is the frame's (Next >> on pages 0 and 1).
bool CWizardDlg::onEnter(HWND focus) {
  CWizPage& shown = page(current_);
  const int id = GetDlgCtrlID(focus);
  for (const int button : shown.enterButtons()) {
    if (button != id || GetParent(focus) != shown.hwnd()) continue;
    if (IsWindowEnabled(focus)) SendMessageW(shown.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return true;
  }
  return shown.ignoresEnter(id);
}

void CWizardDlg::onNext() {
  if (testing_ || !page(current_).canGoOn()) return;
  if (current_ != WizardPage::Name) {
    showPage(nextPage(current_, type_.kind()));
    return;
  }
  Submission<WizardResult> outcome = editor_.submit(choices());
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    name_.showRefusal(*refusal);
    return;
  }
  result_ = std::move(std::get<WizardResult>(outcome));
  stopEverything();
  endDialog(IDOK);
}

void CWizardDlg::onBack() {
  if (testing_ || keys_.capturing() || current_ == WizardPage::Type) return;
  showPage(previousPage(current_, type_.kind()));
  if (current_ == WizardPage::Type) type_.focusFirstChoice();
}

void CWizardDlg::onTest() {
  if (current_ != WizardPage::Name) return;
  if (testing_) {
    context_.trials.stopList();
    endTest();
    return;
  }
  const WizardResult built = buildWizardResult(choices(), BuildMode::Test, context_.library);
  testing_ = true;
  updateButtons();
  if (built.chore) {
    context_.trials.runChore(*built.chore);
    endTest();
    return;
  }
  if (!context_.trials.startList(*built.list)) {
    endTest();
    return;
  }
  idlePolls_ = 0;
  SetTimer(hwnd(), kTestTimer, kTestPollMs, nullptr);
}

void CWizardDlg::pollTest() {
  if (testing_ && trialWaitEnds(++idlePolls_, context_.trials.listRunning())) endTest();
}

void CWizardDlg::endTest() {
  KillTimer(hwnd(), kTestTimer);
  testing_ = false;
  updateButtons();
}

void CWizardDlg::onCancel() {
  stopEverything();
  endDialog(IDCANCEL);
}

void CWizardDlg::stopEverything() {
  for (CWizPage* each : std::array<CWizPage*, kWizardPageCount>{&type_, &program_, &keys_, &name_}) each->stop();
  context_.capture.stop();
  if (hwnd()) KillTimer(hwnd(), kTestTimer);
  testing_ = false;
  if (context_.trials.listRunning()) context_.trials.stopList();
}

WizardChoices CWizardDlg::choices() const {
  WizardChoices made;
  made.kind = type_.kind();
  made.programChore = program_.programChore();
  made.startMenuMode = keys_.startMenuMode();
  made.capturedSteps = keys_.steps();
  made.target = keys_.target();
  const WizardNameForm named = name_.form();
  made.name = named.name;
  made.hotKey = named.hotKey;
  made.startNew = named.startNew;
  return made;
}

std::u16string CWizardDlg::proposedName() const {
  return proposeName({type_.kind(), program_.displayName(), !keys_.steps().empty(), keys_.choice()});
}

}  // namespace tolvane::win32
