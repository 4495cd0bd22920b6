#include "editors/picker/win32/picker_dlg.h"

#include <variant>

#include "controls/truncated_tips/truncated_tips.h"
#include "editors/dialog_ids.h"
#include "editors/picker/win32/picker_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

constexpr UINT kShowOpeningFocus = WM_APP + 1;

constexpr int kLists[] = {IDC_PICKER_APPLICATIONS, IDC_PICKER_WINDOWS, IDC_PICKER_OPERATIONS, IDC_PICKER_MENUS,
                          IDC_PICKER_BUTTONS};

int controlOf(PickerList list) {
  switch (list) {
    case PickerList::Applications:
      return IDC_PICKER_APPLICATIONS;
    case PickerList::Windows:
      return IDC_PICKER_WINDOWS;
    case PickerList::Operations:
      return IDC_PICKER_OPERATIONS;
    case PickerList::Menus:
      return IDC_PICKER_MENUS;
    case PickerList::Buttons:
      return IDC_PICKER_BUTTONS;
    case PickerList::None:
      break;
  }
  return 0;
}

std::vector<std::u16string> operationNames(bool offered) {
  std::vector<std::u16string> names;
  if (!offered) return names;
  for (const WindowOpEntry& operation : windowOpTable()) names.emplace_back(operation.name);
  return names;
}

std::vector<std::u16string> menuPaths(const std::vector<MenuEntry>& menus) {
  std::vector<std::u16string> paths;
  for (const MenuEntry& menu : menus) paths.push_back(menu.path);
  return paths;
}

}  // namespace

std::optional<Chore> pickWindowTarget(HWND parent, const EditorContext& context, const Chore& chore,
                                      PickerMode mode) {
  CSndMsgDlg dialog(context, chore, mode);
  if (dialog.runModal(parent) != IDOK) return std::nullopt;
  return dialog.result();
}

CSndMsgDlg::CSndMsgDlg(const EditorContext& context, const Chore& chore, PickerMode mode)
    : CDialogBase(GetModuleHandleW(nullptr), IDD_PICKER), context_(context), model_(context, chore, mode) {}

BOOL CSndMsgDlg::onInitDialog() {
  setEnterButtons({IDC_PICKER_SCAN, IDOK, IDCANCEL});
  for (const int id : kLists) attachTruncatedTips(item(id));
  const bool offered = model_.menusAndButtonsOffered();
  enable(IDC_PICKER_MENU, offered);
  enable(IDC_PICKER_BUTTON, offered);
  centreOnOwner();
  openingFocus_ = model_.open();
  show();
  // A list dropped down before the dialog shows would close again at once.
  PostMessageW(hwnd(), kShowOpeningFocus, 0, 0);
  return FALSE;
}

INT_PTR CSndMsgDlg::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == kShowOpeningFocus) {
    moveFocus(openingFocus_);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  onCommand(LOWORD(wParam), HIWORD(wParam));
  return TRUE;
}

void CSndMsgDlg::onCommand(int id, int code) {
  const bool clicked = code == BN_CLICKED;
  const bool chosen = code == CBN_SELCHANGE;
  PickerFocus focus;
  switch (id) {
    case IDC_PICKER_APPLICATIONS:
      if (!chosen) return;
      focus = model_.chooseApplication(selectedIndex(id));
      break;
    case IDC_PICKER_WINDOWS:
      if (code == CBN_EDITCHANGE) {
        model_.typeWindowText(text(id));
        return;
      }
      if (!chosen) return;
      focus = model_.chooseWindow(selectedIndex(id));
      break;
    case IDC_PICKER_OPERATIONS:
      if (chosen) model_.chooseOperation(selectedIndex(id));
      return;
    case IDC_PICKER_MENUS:
      if (chosen) model_.chooseMenu(selectedIndex(id));
      return;
    case IDC_PICKER_BUTTONS:
      if (chosen) model_.chooseButton(selectedIndex(id));
      return;
    case IDC_PICKER_WINDOW:
    case IDC_PICKER_MENU:
    case IDC_PICKER_BUTTON:
      if (!clicked) return;
      focus = model_.chooseTarget(static_cast<PickerTarget>(id - IDC_PICKER_WINDOW));
      break;
    case IDC_PICKER_PARTIAL:
      if (clicked) model_.setPartial(isChecked(id));
      return;
    case IDC_PICKER_SCAN:
      if (!clicked) return;
      focus = model_.scanDesktop();
      break;
    case IDOK:
      accept();
      return;
    case IDCANCEL:
      endDialog(IDCANCEL);
      return;
    default:
      return;
  }
  show();
  moveFocus(focus);
}

void CSndMsgDlg::show() {
  SetWindowTextW(hwnd(), toWide(model_.caption()).c_str());
  showList(IDC_PICKER_APPLICATIONS, model_.applications(), shownApplications_, model_.selectedApplication());
  showList(IDC_PICKER_WINDOWS, model_.windows(), shownWindows_, model_.selectedWindow());
  if (model_.selectedWindow() < 0 && text(IDC_PICKER_WINDOWS) != model_.windowText()) {
    setText(IDC_PICKER_WINDOWS, model_.windowText());
  }
  showList(IDC_PICKER_OPERATIONS, operationNames(model_.operationsEnabled()), shownOperations_,
           model_.selectedOperation());
  enable(IDC_PICKER_OPERATIONS, model_.operationsEnabled());
  showList(IDC_PICKER_MENUS, menuPaths(model_.menus()), shownMenus_, model_.selectedMenu());
  showList(IDC_PICKER_BUTTONS, model_.buttons(), shownButtons_, model_.selectedButton());
  setChecked(IDC_PICKER_WINDOW, model_.target() == PickerTarget::Window);
  setChecked(IDC_PICKER_MENU, model_.target() == PickerTarget::Menu);
  setChecked(IDC_PICKER_BUTTON, model_.target() == PickerTarget::Button);
  setChecked(IDC_PICKER_PARTIAL, model_.partial());
}

void CSndMsgDlg::showList(int id, const std::vector<std::u16string>& entries, std::vector<std::u16string>& shown,
                          int selected) {
  if (entries != shown) {
    setItems(id, entries);
    shown = entries;
  }
  if (selectedIndex(id) != selected) selectIndex(id, selected);
}

void CSndMsgDlg::moveFocus(PickerFocus focus) {
  const int id = controlOf(focus.list);
  if (!id) return;
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE);
  if (focus.dropDown) SendMessageW(item(id), CB_SHOWDROPDOWN, TRUE, 0);
}

void CSndMsgDlg::accept() {
  auto outcome = model_.accept();
  if (auto* chore = std::get_if<Chore>(&outcome)) {
    result_ = std::move(*chore);
    endDialog(IDOK);
    return;
  }
  const PickerRefusal& refusal = std::get<PickerRefusal>(outcome);
  context_.prompts.showError(refusal.message, u"Tolvane");
  moveFocus(refusal.focus);
}

}  // namespace tolvane::win32
