#pragma once
// Binds an editor's controls to the fields of its form (the model's
// record), so that showing a form and reading it back are one call each
// instead of a line per control, and a refusal finds the control of the
// field it names:
//
//   constexpr ControlBinding<ChoreForm> kChoreControls[] = {
//       {IDC_CHORE_TYPE, fieldId(ChoreField::Type), {.selection = &ChoreForm::typeIndex}},
//       {IDC_CHORE_NAME, fieldId(ChoreField::Name), {.text = &ChoreForm::name}},
//       {IDC_CHORE_HOTKEY, fieldId(ChoreField::HotKey), {.hotKey = &ChoreForm::hotKey}},
//   };
//   showForm(*this, form, kChoreControls);               // opening
//   readForm(*this, form, kChoreControls);               // before asking the model
//   showRefusal(*this, prompts, refusal, kChoreControls);
//
// A row without a member only names the control of a field for refusals.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "controls/dialog_base/dialog_base.h"
#include "editors/common/win32/editor_controls.h"
#include "editors/refusal.h"
#include "library/hot_key_code.h"
#include "platform/clock.h"

namespace tolvane::win32 {

// The member a control shows; at most one is set.
template <typename Form>
struct BoundMember {
  // An edit's text, or the text of a combo box (typed or chosen); a
  // drop-down list's text follows its selection, so it is only read.
  std::u16string Form::*text = nullptr;
  bool Form::*check = nullptr;
  // A combo or list box's selected index; -1 for none.
  int Form::*selection = nullptr;
  // A list box with multiple selection: the selected indices in order.
  std::vector<int> Form::*selections = nullptr;
  // A list box's caret: the item last clicked, selected or not.
  int Form::*caret = nullptr;
  // One of a group of radio buttons: checked while the member holds `value`.
  int Form::*choice = nullptr;
  // A hot-key control, read with HKM_GETHOTKEY (its window text is empty
  // under Wine).
  HotKeyCode Form::*hotKey = nullptr;
  // A date-time picker with a check box: none while it holds no value.
  std::optional<LocalTime> Form::*time = nullptr;
  // One box of a week's seven, the `value`th.
  std::array<bool, 7> Form::*week = nullptr;
  int value = 0;
};

template <typename Form>
struct ControlBinding {
  int controlId = 0;
  // The model's field, as its refusals name it.
  int field = kNoField;
  BoundMember<Form> member;
};

// The bindings of a form; the form's type is taken from the form itself.
template <typename Form>
using ControlBindings = std::span<const ControlBinding<std::type_identity_t<Form>>>;

inline bool isDropDownList(HWND control) {
  wchar_t className[16] = {};
  GetClassNameW(control, className, 16);
  return _wcsicmp(className, L"ComboBox") == 0 &&
         (GetWindowLongPtrW(control, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
}

template <typename Form>
void showForm(const CDialogBase& dialog, const Form& form, ControlBindings<Form> bindings) {
  for (const ControlBinding<Form>& binding : bindings) {
    const BoundMember<Form>& member = binding.member;
    const int id = binding.controlId;
    if (member.text && !isDropDownList(dialog.item(id))) dialog.setText(id, form.*member.text);
    if (member.check) dialog.setChecked(id, form.*member.check);
    if (member.selection) dialog.selectIndex(id, form.*member.selection);
    if (member.selections) {
      dialog.selectIndex(id, -1);
      for (const int index : form.*member.selections) SendMessageW(dialog.item(id), LB_SETSEL, TRUE, index);
    }
    if (member.caret) SendMessageW(dialog.item(id), LB_SETCARETINDEX, form.*member.caret, FALSE);
    if (member.choice) dialog.setChecked(id, form.*member.choice == member.value);
    if (member.hotKey) setHotKey(dialog.item(id), form.*member.hotKey);
    if (member.time) setPickerTime(dialog.item(id), form.*member.time);
    if (member.week) dialog.setChecked(id, (form.*member.week)[static_cast<std::size_t>(member.value)]);
  }
}

template <typename Form>
void readForm(const CDialogBase& dialog, Form& form, ControlBindings<Form> bindings) {
  for (const ControlBinding<Form>& binding : bindings) {
    const BoundMember<Form>& member = binding.member;
    const int id = binding.controlId;
    if (member.text) form.*member.text = dialog.text(id);
    if (member.check) form.*member.check = dialog.isChecked(id);
    if (member.selection) form.*member.selection = dialog.selectedIndex(id);
    if (member.selections) form.*member.selections = dialog.selectedIndices(id);
    if (member.caret) form.*member.caret = static_cast<int>(SendMessageW(dialog.item(id), LB_GETCARETINDEX, 0, 0));
    if (member.choice && dialog.isChecked(id)) form.*member.choice = member.value;
    if (member.hotKey) form.*member.hotKey = hotKeyOf(dialog.item(id));
    if (member.time) form.*member.time = pickerTime(dialog.item(id));
    if (member.week) (form.*member.week)[static_cast<std::size_t>(member.value)] = dialog.isChecked(id);
  }
}

// A form read afresh from a table.
template <typename Form, std::size_t count>
Form readForm(const CDialogBase& dialog, const ControlBinding<Form> (&bindings)[count]) {
  Form form{};
  readForm(dialog, form, std::span(bindings));
  return form;
}

// The control of the field; 0 for none.
template <typename Bindings>
int controlOf(int field, const Bindings& bindings) {
  for (const auto& binding : bindings) {
    if (field != kNoField && binding.field == field) return binding.controlId;
  }
  return 0;
}

// The message (a box captioned "Tolvane"), then the field's control
// emptied or given its prompt, focused with its text selected, and
// dropped down.
template <typename Bindings>
void showRefusal(const CDialogBase& dialog, Prompts& prompts, const Refusal& refusal, const Bindings& bindings) {
  showRefusalOn(dialog, prompts, refusal, controlOf(refusal.field, bindings));
}

}  // namespace tolvane::win32
