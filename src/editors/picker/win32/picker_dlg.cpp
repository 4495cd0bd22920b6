#include "editors/picker/win32/picker_dlg.h"

#include <variant>

#include "controls/truncated_tips/truncated_tips.h"
#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/picker/win32/picker_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

constexpr UINT kShowOpeningFocus = WM_APP + 1;

constexpr int kLists[] = {IDC_PICKER_APPLICATIONS, IDC_PICKER_WINDOWS, IDC_PICKER_OPERATIONS, IDC_PICKER_MENUS,
                          IDC_PICKER_BUTTONS};

// The window list's selection comes before its text: selecting none
// would empty the text typed.
constexpr ControlBinding<PickerForm> kPickerControls[] = {
    {IDC_PICKER_APPLICATIONS, fieldId(PickerList::Applications), {.selection = &PickerForm::application}},
    {IDC_PICKER_WINDOWS, fieldId(PickerList::Windows), {.selection = &PickerForm::window}},
    {IDC_PICKER_WINDOWS, kNoField, {.text = &PickerForm::windowText}},
    {IDC_PICKER_WINDOW, kNoField, {.choice = &PickerForm::target, .value = static_cast<int>(PickerTarget::Window)}},
    {IDC_PICKER_MENU, kNoField, {.choice = &PickerForm::target, .value = static_cast<int>(PickerTarget::Menu)}},
    {IDC_PICKER_BUTTON, kNoField, {.choice = &PickerForm::target, .value = static_cast<int>(PickerTarget::Button)}},
    {IDC_PICKER_OPERATIONS, fieldId(PickerList::Operations), {.selection = &PickerForm::operation}},
    {IDC_PICKER_MENUS, fieldId(PickerList::Menus), {.selection = &PickerForm::menu}},
    {IDC_PICKER_BUTTONS, fieldId(PickerList::Buttons), {.selection = &PickerForm::button}},
    {IDC_PICKER_PARTIAL, kNoField, {.check = &PickerForm::partial}},
};

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
  const PickerOpening opening = model_.open();
  SetWindowTextW(hwnd(), toWide(opening.caption).c_str());
  enable(IDC_PICKER_MENU, opening.targetKindsOffered);
  enable(IDC_PICKER_BUTTON, opening.targetKindsOffered);
  centreOnOwner();
  openingFocus_ = opening.focus;
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
  const PickerForm form = readForm(*this, kPickerControls);
  PickerFocus focus;
  switch (id) {
    case IDC_PICKER_APPLICATIONS:
      if (!chosen) return;
      focus = model_.chooseApplication(form.application);
      break;
    case IDC_PICKER_WINDOWS:
      if (code == CBN_EDITCHANGE) {
        model_.typeWindowText(form.windowText);
        return;
      }
      if (!chosen) return;
      focus = model_.chooseWindow(form.window);
      break;
    case IDC_PICKER_OPERATIONS:
      if (chosen) model_.chooseOperation(form.operation);
      return;
    case IDC_PICKER_MENUS:
      if (chosen) model_.chooseMenu(form.menu);
      return;
    case IDC_PICKER_BUTTONS:
      if (chosen) model_.chooseButton(form.button);
      return;
    case IDC_PICKER_WINDOW:
    case IDC_PICKER_MENU:
    case IDC_PICKER_BUTTON:
      if (!clicked) return;
      focus = model_.chooseTarget(static_cast<PickerTarget>(id - IDC_PICKER_WINDOW));
      break;
    case IDC_PICKER_PARTIAL:
      if (clicked) model_.setPartial(form.partial);
      return;
    case IDC_PICKER_SCAN:
      if (!clicked) return;
      focus = model_.scanDesktop();
      break;
    case IDOK:
      accept(form);
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
  showList(IDC_PICKER_APPLICATIONS, model_.applications(), shownApplications_);
  showList(IDC_PICKER_WINDOWS, model_.windows(), shownWindows_);
  showList(IDC_PICKER_OPERATIONS, operationNames(model_.operationsEnabled()), shownOperations_);
  enable(IDC_PICKER_OPERATIONS, model_.operationsEnabled());
  showList(IDC_PICKER_MENUS, menuPaths(model_.menus()), shownMenus_);
  showList(IDC_PICKER_BUTTONS, model_.buttons(), shownButtons_);
  showForm(*this, model_.form(), kPickerControls);
}

void CSndMsgDlg::showList(int id, const std::vector<std::u16string>& entries, std::vector<std::u16string>& shown) {
  if (entries == shown) return;
  setItems(id, entries);
  shown = entries;
}

void CSndMsgDlg::moveFocus(PickerFocus focus) {
  const int id = controlOf(fieldId(focus.list), kPickerControls);
  if (!id) return;
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE);
  if (focus.dropDown) SendMessageW(item(id), CB_SHOWDROPDOWN, TRUE, 0);
}

void CSndMsgDlg::accept(const PickerForm& form) {
  Submission<Chore> outcome = model_.submit(form);
  if (auto* chore = std::get_if<Chore>(&outcome)) {
    result_ = std::move(*chore);
    endDialog(IDOK);
    return;
  }
  showRefusal(*this, context_.prompts, std::get<Refusal>(outcome), kPickerControls);
}

}  // namespace tolvane::win32
