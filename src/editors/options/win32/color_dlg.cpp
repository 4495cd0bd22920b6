#include "editors/options/win32/color_dlg.h"

#include <commdlg.h>

#include <random>

#include "editors/dialog_ids.h"
#include "editors/options/win32/options_ids.h"

namespace tolvane::win32 {
namespace {

// The palette's own colours stay for as long as the program runs.
COLORREF customColors[16] = {};

}  // namespace

CChoreListColorDlg::CChoreListColorDlg(HINSTANCE instance, TreeColorChoice& choice, TreeColorPreview preview)
    : CDialogBase(instance, IDD_COLOR_OPTIONS), choice_(choice), preview_(std::move(preview)) {}

BOOL CChoreListColorDlg::onInitDialog() {
  enable(IDC_COLOR_PREVIOUS_RANDOM, choice_.previousAvailable());
  centreOnOwner();
  return TRUE;
}

INT_PTR CChoreListColorDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam));
      return TRUE;
    case WM_DRAWITEM:
      drawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      setResult(TRUE);
      return TRUE;
    default:
      return FALSE;
  }
}

void CChoreListColorDlg::onCommand(int id) {
  switch (id) {
    case IDC_COLOR_SELECT:
      chooseFromPalette();
      return;
    case IDC_COLOR_RANDOM:
      choice_.pickRandom();
      break;
    case IDC_COLOR_PREVIOUS_RANDOM:
      choice_.pickPrevious();
      break;
    case IDC_COLOR_WINDOW_DEFAULT:
      choice_.choose(kWindowTreeColor);
      break;
    case IDC_COLOR_PROGRAM_DEFAULT:
      choice_.choose(kProgramTreeColor);
      break;
    case IDOK:
      endDialog(IDC_COLOR_OK_RESULT);
      return;
    case IDCANCEL:
      choice_.choose(choice_.opening());
      showChoice();
      endDialog(IDCANCEL);
      return;
    default:
      return;
  }
  showChoice();
}

void CChoreListColorDlg::chooseFromPalette() {
  CHOOSECOLORW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = hwnd();
  request.rgbResult = static_cast<COLORREF>(choice_.current());
  request.lpCustColors = customColors;
  request.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&request)) return;
  choice_.choose(request.rgbResult & 0xFFFFFF);
  showChoice();
}

void CChoreListColorDlg::showChoice() {
  if (preview_) preview_(choice_.current());
  InvalidateRect(item(IDC_COLOR_SELECT), nullptr, TRUE);
  // A greyed button that had the focus would leave the dialog without one.
  if (!choice_.previousAvailable() && GetFocus() == item(IDC_COLOR_PREVIOUS_RANDOM)) {
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_COLOR_RANDOM)), TRUE);
  }
  enable(IDC_COLOR_PREVIOUS_RANDOM, choice_.previousAvailable());
}

std::uint32_t CChoreListColorDlg::swatchColor(int id) const {
  switch (id) {
    case IDC_COLOR_SELECT:
      return choice_.current();
    case IDC_COLOR_WINDOW_DEFAULT:
      return kWindowTreeColor;
    case IDC_COLOR_PROGRAM_DEFAULT:
      return kProgramTreeColor;
    default:
      return kRandomSwatchColor;
  }
}

void CChoreListColorDlg::drawSwatch(const DRAWITEMSTRUCT& item) const {
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  InflateRect(&face, -1, -1);
  // A greyed swatch shows no colour to pick.
  const bool greyed = (item.itemState & ODS_DISABLED) != 0;
  HBRUSH brush = greyed ? GetSysColorBrush(COLOR_BTNFACE)
                        : CreateSolidBrush(static_cast<COLORREF>(swatchColor(static_cast<int>(item.CtlID))));
  FillRect(item.hDC, &face, brush);
  if (!greyed) DeleteObject(brush);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &face);
}

std::optional<std::uint32_t> editTreeColor(HWND parent, const EditorContext& context, TreeColorPreview preview) {
  // Seeded with the time the dialog opens.
  std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(context.clock.now() ^ context.clock.tickMs()));
  std::uniform_int_distribution<int> byte(0, 255);
  TreeColorChoice choice(context.settings.treeBkColor, [&] { return byte(generator); });
  CChoreListColorDlg dialog(GetModuleHandleW(nullptr), choice, std::move(preview));
  if (dialog.runModal(parent) != IDC_COLOR_OK_RESULT || !choice.changed()) return std::nullopt;
  return choice.current();
}

}  // namespace tolvane::win32
