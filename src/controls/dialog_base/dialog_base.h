#pragma once
// The one dialog class every window of the program builds on: a static
// dialog procedure that forwards each message to the object behind the
// window. Dialogs run modally through runModal, which keeps a message loop
// of its own so that accelerators and dialog keys both work.

#include <windows.h>

namespace tolvane::win32 {

class CDialogBase {
 public:
  CDialogBase(HINSTANCE instance, int templateId) : instance_(instance), templateId_(templateId) {}
  virtual ~CDialogBase();
  CDialogBase(const CDialogBase&) = delete;
  CDialogBase& operator=(const CDialogBase&) = delete;

  // Creates the dialog and runs until endDialog; returns its result, or -1
  // when the dialog could not be created. `accelerators` may be null.
  INT_PTR runModal(HWND owner, HACCEL accelerators = nullptr);

  // Creates the dialog without running a loop (tests, child dialogs).
  HWND create(HWND owner);

  void endDialog(INT_PTR result);

  HWND hwnd() const { return hwnd_; }
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  HINSTANCE instance() const { return instance_; }

 protected:
  // WM_INITDIALOG; return TRUE to let the system set the focus.
  virtual BOOL onInitDialog() { return TRUE; }
  // Every other message; return TRUE when handled (set the result with
  // setResult), FALSE for the default handling.
  virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  void setResult(LRESULT result) { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }

 private:
  static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  int templateId_;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace tolvane::win32
