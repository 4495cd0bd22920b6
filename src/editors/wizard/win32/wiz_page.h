#pragma once
// What the wizard's frame asks of each page: a child dialog placed on the
// frame's page area, shown when it is the current page.

#include <vector>

#include "controls/dialog_base/dialog_base.h"

namespace tolvane::win32 {

class CWizPage : public CDialogBase {
 public:
  using CDialogBase::CDialogBase;

  // The page has just become the current one.
  virtual void onShow() {}
  // "Next >>" (or "Finish"): false keeps the user on the page.
  virtual bool canGoOn() { return true; }
  // The wizard closes: whatever the page runs stops.
  virtual void stop() {}

  // Buttons that Enter runs while they have the focus.
  virtual std::vector<int> enterButtons() const { return {}; }
  // Enter on any other control of the page does nothing, rather than go
  // on to the next page.
  virtual bool ignoresEnter(int /*focusedId*/) const { return false; }
  // A key for the page wherever the focus is on it (F5); true when used.
  virtual bool onPageKey(WPARAM /*virtualKey*/) { return false; }

 protected:
  // Commands of the page's controls.
  virtual void onCommand(int /*id*/, int /*notification*/) {}

  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message != WM_COMMAND) return FALSE;
    onCommand(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
};

}  // namespace tolvane::win32
