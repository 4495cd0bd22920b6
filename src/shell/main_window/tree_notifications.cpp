#include "shell/main_window/tree_notifications.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "library/summary_text.h"
#include "win32_common/wide.h"
#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

// A list's tip tells about the part of the item under the pointer.
std::u16string tipText(const MainParts& parts, const TreeItemInfo& info) {
  const ChoreLibrary& library = parts.core.library();
  KeyNames& keyNames = parts.core.keyNames();
  switch (info.kind) {
    case TreeItemKind::Chore:
      return choreSummaryText(library, info.name, keyNames);
    case TreeItemKind::Step: {
      const ChoreList list = library.copyChoreList(info.listName);
      if (info.stepIndex < 0 || info.stepIndex >= static_cast<int>(list.steps.size())) return {};
      return stepSummaryText(library, list.steps[info.stepIndex], keyNames);
    }
    case TreeItemKind::List: {
      TVHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(parts.tree.hwnd(), &hit.pt);
      TreeView_HitTest(parts.tree.hwnd(), &hit);
      return listSummaryText(library.copyChoreList(info.name), listTipPart(hit.flags), keyNames, parts.core.clock());
    }
    default:
      return {};
  }
}

void fillInfoTip(const MainParts& parts, NMTVGETINFOTIPW* tip) {
  if (!tip->pszText || tip->cchTextMax <= 0) return;
  const std::wstring wide = toWide(tipText(parts, parts.tree.describe(tip->hItem)));
  const std::size_t count = std::min<std::size_t>(wide.size(), static_cast<std::size_t>(tip->cchTextMax - 1));
  wide.copy(tip->pszText, count);
  tip->pszText[count] = L'\0';
}

// A double-click on an item's label or icon runs that item; one on empty
// space or a +/- button is no request to run whatever was selected.
bool runDoubleClickedItem(ChoreTree& tree, const CommandTable& commands) {
  const DWORD at = GetMessagePos();
  HTREEITEM item = tree.itemAt(POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)});
  if (!item) return false;
  tree.select(item);
  return commands.run(ID_RUN_SELECTED);
}

}  // namespace

LRESULT onTreeNotify(NMHDR* header, MainParts& parts, const CommandTable& commands,
                     const std::function<void()>& selectionChanged) {
  TreeEdits& edits = parts.treeEdits;
  switch (header->code) {
    case TVN_SELCHANGEDW:
      selectionChanged();
      return 0;
    case TVN_GETINFOTIPW:
      fillInfoTip(parts, reinterpret_cast<NMTVGETINFOTIPW*>(header));
      return 0;
    case NM_DBLCLK:
      return runDoubleClickedItem(parts.tree, commands) ? TRUE : FALSE;
    case TVN_BEGINLABELEDITW:
      // TRUE refuses the edit.
      return edits.mayRename(reinterpret_cast<NMTVDISPINFOW*>(header)->item.hItem) ? FALSE : TRUE;
    case TVN_ENDLABELEDITW: {
      const TVITEMW& edited = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
      edits.labelEdited(edited.hItem, edited.pszText);
      // The label changes with the library, once the new name is taken.
      return FALSE;
    }
    case TVN_KEYDOWN: {
      const WORD key = reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey;
      if (key == VK_F2) edits.editSelectedLabel();
      if (key == VK_DELETE) commands.run(ID_TREE_DELETE);
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace tolvane::win32
