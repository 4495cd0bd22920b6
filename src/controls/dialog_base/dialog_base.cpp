#include "controls/dialog_base/dialog_base.h"

namespace tolvane::win32 {

CDialogBase::~CDialogBase() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    DestroyWindow(hwnd_);
  }
}

HWND CDialogBase::create(HWND owner) {
  ended_ = false;
  return CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, dialogProc,
                            reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialogBase::runModal(HWND owner, HACCEL accelerators) {
  if (!create(owner)) return -1;
  if (owner) EnableWindow(owner, FALSE);
  MSG message;
  while (!ended_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT belongs to the outer loop (there is none for the main window).
      if (owner) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    if (accelerators && TranslateAcceleratorW(hwnd_, accelerators, &message)) continue;
    if (IsDialogMessageW(hwnd_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  return result_;
}

void CDialogBase::endDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  // Wakes the loop when this is called from outside a message.
  if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);
}

INT_PTR CALLBACK CDialogBase::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CDialogBase*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
    return self->onInitDialog();
  }
  auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    return FALSE;
  }
  return self->onMessage(message, wParam, lParam);
}

}  // namespace tolvane::win32
