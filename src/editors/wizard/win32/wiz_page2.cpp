#include "editors/wizard/win32/wiz_page2.h"

#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/wizard/wizard_pages.h"
#include "platform/win32/targeting/window_handle.h"

namespace tolvane::win32 {
namespace {

constexpr UINT_PTR kCaptureTimer = 1;
constexpr UINT kCaptureTimerMs = 500;

constexpr ControlBinding<WizardKeysForm> kKeysControls[] = {
    {IDC_WIZ_WINDOWS, kNoField, {.text = &WizardKeysForm::window}},
};

}  // namespace

CWizPage2::CWizPage2(HINSTANCE instance, const EditorContext& context, std::function<void()> captureChanged)
    : CWizPage(instance, IDD_WIZARD_PAGE_KEYS), context_(context), captureChanged_(std::move(captureChanged)) {}

std::u16string CWizPage2::choice() const { return readForm(*this, kKeysControls).window; }

void CWizPage2::onShow() {
  refreshWindows();
  focusAndSelect(IDC_WIZ_START_CAPTURE);
  SendMessageW(item(IDC_WIZ_WINDOWS), CB_SHOWDROPDOWN, TRUE, 0);
}

void CWizPage2::refreshWindows() {
  const std::u16string previous = listedOnce_ ? choice() : std::u16string();
  windows_ = context_.desktop.mainWindows();
  const std::vector<std::u16string> choices = windowChoices(windows_);
  setItems(IDC_WIZ_WINDOWS, choices);
  const int selected = choiceToKeep(choices, previous);
  selectIndex(IDC_WIZ_WINDOWS, selected);
  if (listedOnce_ && choices[static_cast<std::size_t>(selected)] != previous) forgetCapture();
  listedOnce_ = true;
}

bool CWizPage2::onPageKey(WPARAM virtualKey) {
  if (virtualKey != VK_F5 || capturing_) return false;
  refreshWindows();
  SetFocus(item(IDC_WIZ_WINDOWS));
  SendMessageW(item(IDC_WIZ_WINDOWS), CB_SHOWDROPDOWN, TRUE, 0);
  return true;
}

void CWizPage2::onCommand(int id, int notification) {
  if (id == IDC_WIZ_WINDOWS && notification == CBN_SELCHANGE) forgetCapture();
  if (id == IDC_WIZ_START_CAPTURE && notification == BN_CLICKED) {
    if (capturing_) {
      stopCapture();
    } else {
      startCapture();
    }
  }
}

INT_PTR CWizPage2::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kCaptureTimer) {
    // The hook ends the capture on Ctrl+Shift+Right arrow.
    if (capturing_ && !context_.capture.active()) stopCapture();
    return TRUE;
  }
  return CWizPage::onMessage(message, wParam, lParam);
}

void CWizPage2::forgetCapture() {
  steps_.clear();
  target_ = {};
  setText(IDC_WIZ_KEYSTROKES, u"");
}

void CWizPage2::startCapture() {
  forgetCapture();
  const std::u16string chosen = choice();
  startMenuMode_ = chosen == kStartMenuChoice;
  captureWindow_.reset();
  if (startMenuMode_) {
    openStartMenu();
  } else if (const WindowInfo* window = windowByText(windows_, chosen)) {
    captureWindow_ = *window;
    context_.desktop.bringToForeground(window->window);
  }
  context_.capture.start();
  capturing_ = true;
  SetTimer(hwnd(), kCaptureTimer, kCaptureTimerMs, nullptr);
  // Only now: the target is in front and the hook listens.
  setText(IDC_WIZ_START_CAPTURE, u"STOP Capture");
  captureChanged_();
}

void CWizPage2::openStartMenu() {
  for (const WindowInfo& window : context_.desktop.mainWindows()) {
    if (window.className == u"Progman" && window.text == u"Program Manager") {
      context_.windows.postMessage(window.window, kMessageSysCommand, kSysCommandTaskList, 0);
      return;
    }
  }
}

void CWizPage2::stopCapture() {
  context_.desktop.bringToForeground(toWindowHandle(GetAncestor(hwnd(), GA_ROOT)));
  KillTimer(hwnd(), kCaptureTimer);
  context_.capture.stop();
  capturing_ = false;
  setText(IDC_WIZ_START_CAPTURE, u"Start Capture");
  CapturedSteps built = buildCapturedSteps(context_.capture.keys(), startMenuMode_, context_.settings.defaultDelay,
                                           context_.keyNames, context_.log);
  steps_ = std::move(built.steps);
  target_ = {};
  if (!startMenuMode_ && captureWindow_ && !steps_.empty())
    target_ = {captureWindow_->modulePath, captureWindow_->text};
  setText(IDC_WIZ_KEYSTROKES, built.keystrokeText);
  captureChanged_();
}

void CWizPage2::stop() {
  if (hwnd()) KillTimer(hwnd(), kCaptureTimer);
  capturing_ = false;
  context_.capture.stop();
}

bool CWizPage2::canGoOn() {
  if (capturing_) stopCapture();
  const std::u16string chosen = choice();
  const KeysPageCheck check = checkKeysPage(!steps_.empty(), chosen, windowByText(windows_, chosen));
  if (check.explorerTarget) target_ = *check.explorerTarget;
  if (check.accepted) return true;
  showRefusal(*this, context_.prompts, *check.refusal, kKeysControls);
  return false;
}

}  // namespace tolvane::win32
