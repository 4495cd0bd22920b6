#pragma once
// "Hot &keys": every chore, list and waiting-step hot key in a report list
// that sorts by a clicked column, with a tip per row, and the master
// hot-key toggle. OK, or a double-click on a row, hands back the chosen
// row (the main window selects its tree item) and the master key, unless
// the key belongs to a chore or a list: then the dialog says so and stays.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <vector>

#include "controls/dialog_base/dialog_base.h"
#include "editors/editor_context.h"
#include "editors/options/hot_key_view.h"

namespace tolvane::win32 {

struct HotKeyViewResult {
  std::optional<HotKeyTarget> selected;
  HotKeyCode masterKey;
};

// What the controls hold: the row selected (-1: none) and the master key.
struct HotKeysForm {
  int row = -1;
  HotKeyCode masterKey;
};

class CHotkeyDlg final : public CDialogBase {
 public:
  CHotkeyDlg(HINSTANCE instance, const EditorContext& context);

  const HotKeyViewResult& result() const { return result_; }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void setUpList();
  void fillList();
  void sortBy(HotKeyColumn column);
  LRESULT onNotify(NMHDR& header);
  void onInfoTip(NMLVGETINFOTIPW& tip) const;
  void onOk();

  const EditorContext& context_;
  AssignedHotKeys keys_;
  std::vector<HotKeyRow> rows_;
  HotKeyRowOrder order_;
  HotKeyViewResult result_;
};

// None when the user cancels.
std::optional<HotKeyViewResult> viewHotKeys(HWND parent, const EditorContext& context);

}  // namespace tolvane::win32
