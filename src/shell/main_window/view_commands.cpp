// The main window's side of the options, colour and hot-key views: what
// their results change in the window, the core and the tree.

#include "shell/main_window/tolvane_dlg.h"

#include <commctrl.h>

#include "editors/options/win32/color_dlg.h"
#include "editors/options/win32/hot_keys_dlg.h"
#include "editors/options/win32/options_dlg.h"
#include "shell/core/editor_session.h"

namespace tolvane::win32 {

// While any dialog or message box of the window is up the window is
// disabled; a second one from the tray would stack on it.
bool CTolvaneDlg::canOpenDialog() const { return IsWindowEnabled(hwnd()) != FALSE; }

void CTolvaneDlg::showOptions() {
  const std::optional<OptionsOutcome> outcome = editOptions(hwnd(), core_->editorContext());
  if (!outcome) return;
  core_->applyOptions(*outcome);
  applyAlwaysOnTop();
}

void CTolvaneDlg::showColorOptions() {
  const std::optional<std::uint32_t> color =
      editTreeColor(hwnd(), core_->editorContext(), [this](std::uint32_t shown) { applyTreeColor(shown); });
  if (color) core_->settings().treeBkColor = *color;
}

void CTolvaneDlg::showHotKeys() {
  std::optional<HotKeyViewResult> result;
  {
    EditorSession session(*core_);
    result = viewHotKeys(hwnd(), session.context());
  }
  if (!result) return;
  if (result->selected) selectHotKeyTarget(*result->selected);
  core_->setMasterHotKey(result->masterKey);
}

void CTolvaneDlg::selectHotKeyTarget(const HotKeyTarget& target) {
  HTREEITEM item = nullptr;
  switch (target.kind) {
    case HotKeyTarget::Kind::Chore:
      item = tree_.findChild(tree_.choresRoot(), target.name);
      break;
    case HotKeyTarget::Kind::List:
      item = tree_.findChild(tree_.listsRoot(), target.name);
      break;
    case HotKeyTarget::Kind::Step:
      item = tree_.childAt(tree_.findChild(tree_.listsRoot(), target.name),
                           stepIndexOf(core_->library().copyChoreList(target.name), target));
      break;
  }
  if (item) tree_.select(item);
}

void CTolvaneDlg::applyTreeColor(std::uint32_t color) {
  TreeView_SetBkColor(tree_.hwnd(), static_cast<COLORREF>(color));
  InvalidateRect(tree_.hwnd(), nullptr, TRUE);
}

}  // namespace tolvane::win32
