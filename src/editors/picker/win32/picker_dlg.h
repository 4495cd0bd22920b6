#pragma once
// The menu/button picker (dialog 148, "Select a menu/button"): the user
// points at another program's window and chooses a window operation, a
// menu command or a button.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/dialog_base/dialog_base.h"
#include "editors/editor_context.h"
#include "editors/picker/picker_mode.h"
#include "editors/picker/picker_model.h"
#include "library/chore.h"

namespace tolvane::win32 {

// Runs the picker modally on a copy of `chore`. On OK returns the working
// chore; the caller copies the fields it needs from it: wndMsg, procName,
// mainWndTxt, mainWndCls, partialMatch (stepPartialMatch in window-selection
// mode), ctrlWndTxt, ctrlWndCls, notifyCode, menuID, menuOption, menuSimKey,
// keyRepeat, hitEnter and winPos. Every other field is the given chore's.
// Nothing on Cancel.
std::optional<Chore> pickWindowTarget(HWND parent, const EditorContext& context, const Chore& chore,
                                      PickerMode mode);

// The dialog behind pickWindowTarget; tests drive it through its controls.
class CSndMsgDlg final : public CDialogBase {
 public:
  CSndMsgDlg(const EditorContext& context, const Chore& chore, PickerMode mode);

  // Set when OK accepted the pick.
  const std::optional<Chore>& result() const { return result_; }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void onCommand(int id, int code);
  // The model's lists into the controls; a list is refilled only when it
  // changed, so that one being browsed keeps its place.
  void show();
  void showList(int id, const std::vector<std::u16string>& entries, std::vector<std::u16string>& shown);
  void moveFocus(PickerFocus focus);
  void accept(const PickerForm& form);

  const EditorContext& context_;
  PickerModel model_;
  std::optional<Chore> result_;
  PickerFocus openingFocus_;
  std::vector<std::u16string> shownApplications_, shownWindows_, shownOperations_, shownMenus_, shownButtons_;
};

}  // namespace tolvane::win32
