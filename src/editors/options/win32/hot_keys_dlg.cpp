#include "editors/options/win32/hot_keys_dlg.h"

#include <algorithm>

#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/options/win32/options_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

constexpr const wchar_t* kColumnTitles[] = {L"Hotkey", L"Chore", L"ChoreList"};
constexpr int kColumnWidths[] = {110, 130, 190};
constexpr int kTipShowsMs = 10000;

constexpr ControlBinding<HotKeysForm> kHotKeysControls[] = {
    {IDC_HOTKEYS_LIST, kNoField, {.selection = &HotKeysForm::row}},
    {IDC_HOTKEYS_MASTER, fieldId(HotKeysField::MasterKey), {.hotKey = &HotKeysForm::masterKey}},
};

}  // namespace

CHotkeyDlg::CHotkeyDlg(HINSTANCE instance, const EditorContext& context)
    : CDialogBase(instance, IDD_HOT_KEYS),
      context_(context),
      keys_(context.library.assignedHotKeys()),
      rows_(hotKeyRows(keys_, context.keyNames)),
      result_{std::nullopt, context.settings.masterHotKey()} {}

BOOL CHotkeyDlg::onInitDialog() {
  setUpList();
  fillList();
  // A key pressed alone becomes Ctrl and the key.
  requireModifier(item(IDC_HOTKEYS_MASTER));
  showForm(*this, HotKeysForm{-1, result_.masterKey}, kHotKeysControls);
  centreOnOwner();
  return TRUE;
}

void CHotkeyDlg::setUpList() {
  HWND list = item(IDC_HOTKEYS_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNW added{};
    added.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    added.fmt = LVCFMT_LEFT;
    added.cx = scaled(kColumnWidths[column]);
    added.pszText = const_cast<wchar_t*>(kColumnTitles[column]);
    ListView_InsertColumn(list, column, &added);
  }
  if (HWND tips = ListView_GetToolTips(list)) SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipShowsMs);
}

// Each row's item data is its index in rows_.
void CHotkeyDlg::fillList() {
  HWND list = item(IDC_HOTKEYS_LIST);
  ListView_DeleteAllItems(list);
  for (std::size_t index = 0; index < rows_.size(); ++index) {
    std::wstring key = toWide(rows_[index].key);
    LVITEMW added{};
    added.mask = LVIF_TEXT | LVIF_PARAM;
    added.iItem = static_cast<int>(index);
    added.pszText = key.data();
    added.lParam = static_cast<LPARAM>(index);
    const int at = ListView_InsertItem(list, &added);
    for (int column = 1; column < 3; ++column) {
      std::wstring text = toWide(columnText(rows_[index], static_cast<HotKeyColumn>(column)));
      ListView_SetItemText(list, at, column, text.data());
    }
  }
}

// The selected row stays selected wherever it moves.
void CHotkeyDlg::sortBy(HotKeyColumn column) {
  HWND list = item(IDC_HOTKEYS_LIST);
  const int selected = readForm(*this, kHotKeysControls).row;
  const std::optional<HotKeyTarget> kept =
      selected >= 0 ? std::optional(rows_[static_cast<std::size_t>(selected)].target) : std::nullopt;
  order_.sort(rows_, column);
  fillList();
  const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const HotKeyRow& row) { return row.target == kept; });
  if (!kept || found == rows_.end()) return;
  const int index = static_cast<int>(found - rows_.begin());
  ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, index, FALSE);
}

INT_PTR CHotkeyDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      setResult(onNotify(*reinterpret_cast<NMHDR*>(lParam)));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) onOk();
      if (LOWORD(wParam) == IDCANCEL) endDialog(IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CHotkeyDlg::onNotify(NMHDR& header) {
  if (header.idFrom != IDC_HOTKEYS_LIST) return 0;
  switch (header.code) {
    case LVN_COLUMNCLICK:
      sortBy(static_cast<HotKeyColumn>(reinterpret_cast<NMLISTVIEW&>(header).iSubItem));
      return 0;
    case LVN_GETINFOTIPW:
      onInfoTip(reinterpret_cast<NMLVGETINFOTIPW&>(header));
      return 0;
    case NM_DBLCLK:
      if (reinterpret_cast<NMITEMACTIVATE&>(header).iItem >= 0) onOk();
      return 0;
    default:
      return 0;
  }
}

void CHotkeyDlg::onInfoTip(NMLVGETINFOTIPW& tip) const {
  if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= rows_.size() || tip.cchTextMax <= 0) return;
  const std::wstring text = toWide(rows_[static_cast<std::size_t>(tip.iItem)].tip);
  const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
  text.copy(tip.pszText, count);
  tip.pszText[count] = L'\0';
}

void CHotkeyDlg::onOk() {
  const HotKeysForm entered = readForm(*this, kHotKeysControls);
  const Submission<HotKeyCode> decision = decideMasterKey(entered.masterKey, keys_, context_.keyNames);
  if (const auto* refusal = std::get_if<Refusal>(&decision)) {
    showRefusal(*this, context_.prompts, *refusal, kHotKeysControls);
    return;
  }
  result_.masterKey = std::get<HotKeyCode>(decision);
  if (entered.row >= 0) result_.selected = rows_[static_cast<std::size_t>(entered.row)].target;
  endDialog(IDOK);
}

std::optional<HotKeyViewResult> viewHotKeys(HWND parent, const EditorContext& context) {
  CHotkeyDlg dialog(GetModuleHandleW(nullptr), context);
  if (dialog.runModal(parent) != IDOK) return std::nullopt;
  return dialog.result();
}

}  // namespace tolvane::win32
