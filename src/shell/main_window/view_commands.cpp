// The main window's side of the options, colour and hot-key views: what
// their results change in the window, the core and the tree.

#include <windows.h>
#include <commctrl.h>

#include "editors/options/win32/color_dlg.h"
#include "editors/options/win32/hot_keys_dlg.h"
#include "editors/options/win32/options_dlg.h"
#include "shell/core/editor_session.h"
#include "shell/main_window/main_parts.h"
#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

void showOptions(MainParts& parts) {
  const std::optional<OptionsOutcome> outcome = editOptions(parts.window, parts.core.editorContext());
  if (!outcome) return;
  parts.core.applyOptions(*outcome);
  applyAlwaysOnTop(parts);
}

void showColorOptions(MainParts& parts) {
  const std::optional<std::uint32_t> color = editTreeColor(
      parts.window, parts.core.editorContext(), [&parts](std::uint32_t shown) { applyTreeColor(parts, shown); });
  if (color) parts.core.settings().treeBkColor = *color;
}

void selectHotKeyTarget(MainParts& parts, const HotKeyTarget& target) {
  ChoreTree& tree = parts.tree;
  HTREEITEM item = nullptr;
  switch (target.kind) {
    case HotKeyTarget::Kind::Chore:
      item = tree.findChild(tree.choresRoot(), target.name);
      break;
    case HotKeyTarget::Kind::List:
      item = tree.findChild(tree.listsRoot(), target.name);
      break;
    case HotKeyTarget::Kind::Step:
      item = tree.childAt(tree.findChild(tree.listsRoot(), target.name),
                          stepIndexOf(parts.core.library().copyChoreList(target.name), target));
      break;
  }
  if (item) tree.select(item);
}

void showHotKeys(MainParts& parts) {
  std::optional<HotKeyViewResult> result;
  {
    EditorSession session(parts.core);
    result = viewHotKeys(parts.window, session.context());
  }
  if (!result) return;
  if (result->selected) selectHotKeyTarget(parts, *result->selected);
  parts.core.setMasterHotKey(result->masterKey);
}

}  // namespace

bool canOpenDialog(const MainParts& parts) { return IsWindowEnabled(parts.window) != FALSE; }

void applyAlwaysOnTop(const MainParts& parts) {
  SetWindowPos(parts.window, parts.core.settings().alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void applyTreeColor(const MainParts& parts, std::uint32_t color) {
  TreeView_SetBkColor(parts.tree.hwnd(), static_cast<COLORREF>(color));
  InvalidateRect(parts.tree.hwnd(), nullptr, TRUE);
}

// Options (32785), colours (32794) and hot keys (1002).
void addViewCommands(CommandTable& commands, MainParts& parts) {
  commands.add(ID_VIEW_OPTIONS, {[&parts] { return canOpenDialog(parts); }, [&parts] { showOptions(parts); }});
  commands.add(ID_VIEW_COLOR_OPTIONS,
               {[&parts] { return canOpenDialog(parts); }, [&parts] { showColorOptions(parts); }});
  commands.add(ID_VIEW_HOTKEYS, {[&parts] { return canOpenDialog(parts); }, [&parts] { showHotKeys(parts); }});
}

}  // namespace tolvane::win32
