#include "controls/dialog_base/dialog_base.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/window_text/window_text.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

// Combo boxes and list boxes take the same requests under other numbers.
struct ItemMessages {
  UINT reset, add, count, textLength, text, getSelection, setSelection;
};

constexpr ItemMessages kComboMessages{CB_RESETCONTENT, CB_ADDSTRING,  CB_GETCOUNT, CB_GETLBTEXTLEN,
                                      CB_GETLBTEXT,    CB_GETCURSEL, CB_SETCURSEL};
constexpr ItemMessages kListMessages{LB_RESETCONTENT, LB_ADDSTRING,  LB_GETCOUNT, LB_GETTEXTLEN,
                                     LB_GETTEXT,      LB_GETCURSEL, LB_SETCURSEL};

bool isListView(HWND control) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  return _wcsicmp(className, WC_LISTVIEWW) == 0;
}

bool isComboBox(HWND control) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  return _wcsicmp(className, L"ComboBox") == 0;
}

const ItemMessages& itemMessages(HWND control) { return isComboBox(control) ? kComboMessages : kListMessages; }

bool isMultipleSelectionList(HWND control) {
  return !isComboBox(control) && (GetWindowLongPtrW(control, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

}  // namespace

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
    if (preTranslateMessage(message)) continue;
    if (accelerators && TranslateAcceleratorW(hwnd_, accelerators, &message)) continue;
    if (clickFocusedEnterButton(message)) continue;
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

bool CDialogBase::clickFocusedEnterButton(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN || enterButtons_.empty()) return false;
  const HWND focus = GetFocus();
  if (!focus || GetParent(focus) != hwnd_) return false;
  const int id = GetDlgCtrlID(focus);
  if (std::find(enterButtons_.begin(), enterButtons_.end(), id) == enterButtons_.end()) return false;
  if (!IsWindowEnabled(focus)) return true;
  SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
  return true;
}

std::u16string CDialogBase::text(int id) const { return windowText(item(id)); }

void CDialogBase::setText(int id, std::u16string_view text) const {
  SetWindowTextW(item(id), toWide(text).c_str());
}

bool CDialogBase::isChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void CDialogBase::setChecked(int id, bool checked) const {
  CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialogBase::enable(int id, bool enabled) const { EnableWindow(item(id), enabled ? TRUE : FALSE); }

void CDialogBase::setItems(int id, const std::vector<std::u16string>& items) const {
  HWND control = item(id);
  const ItemMessages& messages = itemMessages(control);
  SendMessageW(control, messages.reset, 0, 0);
  for (const std::u16string& entry : items) {
    const std::wstring wide = toWide(entry);
    SendMessageW(control, messages.add, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

std::vector<std::u16string> CDialogBase::items(int id) const {
  HWND control = item(id);
  const ItemMessages& messages = itemMessages(control);
  const int count = static_cast<int>(SendMessageW(control, messages.count, 0, 0));
  std::vector<std::u16string> entries;
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(control, messages.textLength, i, 0);
    std::wstring entry(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    SendMessageW(control, messages.text, i, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(wcsnlen(entry.c_str(), entry.size()));
    entries.push_back(fromWide(entry));
  }
  return entries;
}

int CDialogBase::selectedIndex(int id) const {
  HWND control = item(id);
  if (isListView(control)) return ListView_GetNextItem(control, -1, LVNI_SELECTED);
  // A multiple-selection list answers LB_GETCURSEL with its caret.
  if (isMultipleSelectionList(control)) {
    const std::vector<int> selected = selectedIndices(id);
    return selected.empty() ? -1 : selected.front();
  }
  const LRESULT index = SendMessageW(control, itemMessages(control).getSelection, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void CDialogBase::selectIndex(int id, int index) const {
  HWND control = item(id);
  if (isListView(control)) {
    ListView_SetItemState(control, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0) ListView_SetItemState(control, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return;
  }
  if (isMultipleSelectionList(control)) {
    SendMessageW(control, LB_SETSEL, FALSE, -1);
    if (index >= 0) SendMessageW(control, LB_SETSEL, TRUE, index);
    return;
  }
  SendMessageW(control, itemMessages(control).setSelection, static_cast<WPARAM>(index), 0);
}

std::vector<int> CDialogBase::selectedIndices(int id) const {
  HWND list = item(id);
  const int count = static_cast<int>(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
  if (count <= 0) return {};
  std::vector<int> indices(static_cast<std::size_t>(count));
  const int got = static_cast<int>(SendMessageW(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indices.data())));
  indices.resize(static_cast<std::size_t>(std::max(got, 0)));
  return indices;
}

void CDialogBase::focusAndSelect(int id) const {
  HWND control = item(id);
  // Through the dialog, so the default button follows the focus.
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  if (isComboBox(control)) {
    SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  } else {
    SendMessageW(control, EM_SETSEL, 0, -1);
  }
}

void CDialogBase::centreOnOwner() const {
  RECT dialog{};
  GetWindowRect(hwnd_, &dialog);
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT around = monitor.rcWork;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  const int width = dialog.right - dialog.left;
  const int height = dialog.bottom - dialog.top;
  const RECT& work = monitor.rcWork;
  const int left = std::clamp<int>((around.left + around.right - width) / 2, work.left,
                                   std::max<int>(work.left, work.right - width));
  const int top = std::clamp<int>((around.top + around.bottom - height) / 2, work.top,
                                  std::max<int>(work.top, work.bottom - height));
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double CDialogBase::dpiScale() const {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT dpi = getDpiForWindow ? getDpiForWindow(hwnd_) : 0;
  if (dpi == 0) {
    HDC dc = GetDC(hwnd_);
    dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
    ReleaseDC(hwnd_, dc);
  }
  return dpi == 0 ? 1.0 : dpi / 96.0;
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
