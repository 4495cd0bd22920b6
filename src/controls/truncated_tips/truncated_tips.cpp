#include "controls/truncated_tips/truncated_tips.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/window_text/window_text.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x7470;  // one subclass of ours per window
// Where a control keeps its tip state, to be found again.
constexpr wchar_t kStateProperty[] = L"TolvaneTruncatedTips";
constexpr UINT_PTR kToolId = 1;

enum class Kind { List, Edit, ComboField };

// Room that list items and combo fields keep around their text.
int textMargin() { return 2 * GetSystemMetrics(SM_CXEDGE) + 2; }

std::wstring className(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

Kind kindOf(HWND window) {
  const std::wstring name = className(window);
  if (_wcsicmp(name.c_str(), L"Edit") == 0) return Kind::Edit;
  if (_wcsicmp(name.c_str(), L"ComboBox") == 0) return Kind::ComboField;
  return Kind::List;
}

// The item under the point and its text, if any.
std::optional<std::pair<std::wstring, RECT>> listItemAt(HWND list, POINT point) {
  const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(hit) != 0) return std::nullopt;  // outside the items
  const int index = LOWORD(hit);
  RECT area{};
  if (SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&area)) == LB_ERR) return std::nullopt;
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return std::pair{text, area};
}

std::optional<std::pair<std::wstring, RECT>> shownTextAt(HWND control, POINT point) {
  RECT area{};
  switch (kindOf(control)) {
    case Kind::List:
      return listItemAt(control, point);
    case Kind::Edit:
      SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
      break;
    case Kind::ComboField: {
      COMBOBOXINFO info{};
      info.cbSize = sizeof(info);
      if (!GetComboBoxInfo(control, &info)) return std::nullopt;
      area = info.rcItem;
      break;
    }
  }
  if (!PtInRect(&area, point)) return std::nullopt;
  return std::pair{toWide(windowText(control)), area};
}

// One tooltip per control, shown in place over the item cut short.
class TipState {
 public:
  explicit TipState(HWND control) : control_(control) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr, nullptr,
                           nullptr);
    TTTOOLINFOW tool = toolInfo();
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, WM_SETFONT, SendMessageW(control, WM_GETFONT, 0, 0), FALSE);
  }
  ~TipState() {
    if (tip_) DestroyWindow(tip_);
  }
  TipState(const TipState&) = delete;
  TipState& operator=(const TipState&) = delete;

  HWND tip() const { return tip_; }

  void follow(POINT point) {
    if (!tracking_) {
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control_, 0};
      tracking_ = TrackMouseEvent(&track) != FALSE;
    }
    std::optional<TruncatedText> truncated = truncatedTextAt(control_, point);
    if (!truncated) {
      hide();
      return;
    }
    const std::wstring text = toWide(truncated->text);
    if (shown_ && text == shownText_ && EqualRect(&truncated->area, &shownArea_)) return;
    show(text, truncated->area);
  }

  void hide() {
    tracking_ = false;
    if (!shown_) return;
    TTTOOLINFOW tool = toolInfo();
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    shown_ = false;
  }

 private:
  TTTOOLINFOW toolInfo() const {
    TTTOOLINFOW tool{};
    // The common controls of version 5 refuse the larger structure.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = control_;
    tool.uId = kToolId;
    return tool;
  }

  void show(const std::wstring& text, const RECT& area) {
    shownText_ = text;
    shownArea_ = area;
    TTTOOLINFOW tool = toolInfo();
    tool.lpszText = shownText_.data();
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT place = area;
    MapWindowPoints(control_, nullptr, reinterpret_cast<POINT*>(&place), 2);
    SendMessageW(tip_, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&place));
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(place.left, place.top));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    shown_ = true;
  }

  HWND control_;
  HWND tip_ = nullptr;
  bool tracking_ = false;
  bool shown_ = false;
  std::wstring shownText_;
  RECT shownArea_{};
};

LRESULT CALLBACK tipSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* state = reinterpret_cast<TipState*>(data);
  switch (message) {
    case WM_MOUSEMOVE:
      state->follow({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_MOUSELEAVE:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
    case WM_KILLFOCUS:
    case WM_CAPTURECHANGED:
      state->hide();
      break;
    case WM_WINDOWPOSCHANGED:
      // A combo box's drop-down list closes by hiding.
      if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW) state->hide();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, tipSubclass, kSubclassId);
      RemovePropW(window, kStateProperty);
      delete state;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void attachTo(HWND window) {
  if (!window || truncatedTipWindow(window)) return;
  auto* state = new TipState(window);
  if (!SetWindowSubclass(window, tipSubclass, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    delete state;
    return;
  }
  SetPropW(window, kStateProperty, state);
}

}  // namespace

void attachTruncatedTips(HWND control) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  attachTo(control);
  if (kindOf(control) != Kind::ComboField) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(control, &info)) return;
  attachTo(info.hwndList);
  if (info.hwndItem != control) attachTo(info.hwndItem);
}

std::optional<TruncatedText> truncatedTextAt(HWND control, POINT point) {
  const std::optional<std::pair<std::wstring, RECT>> shown = shownTextAt(control, point);
  if (!shown || shown->first.empty()) return std::nullopt;
  const auto& [text, area] = *shown;
  const int room = area.right - area.left - (kindOf(control) == Kind::Edit ? 0 : textMargin());
  if (textWidth(control, text) <= room) return std::nullopt;
  return TruncatedText{fromWide(text), area};
}

HWND truncatedTipWindow(HWND control) {
  const auto* state = static_cast<const TipState*>(GetPropW(control, kStateProperty));
  return state ? state->tip() : nullptr;
}

}  // namespace tolvane::win32
