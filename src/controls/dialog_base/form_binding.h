#pragma once
// Binds a dialog's controls to the fields of its form (the editor model's
// record), so that showing a form and reading it back are one call each
// instead of a line per control:
//
//   constexpr ControlBinding<ChoreForm> kChoreControls[] = {
//       {.controlId = 1033, .text = &ChoreForm::name},
//       {.controlId = 1032, .check = &ChoreForm::newWindow},
//   };
//   showForm(*this, form, kChoreControls);   // WM_INITDIALOG
//   readForm(*this, form, kChoreControls);   // Add / Save

#include <span>
#include <string>
#include <type_traits>

#include "controls/dialog_base/dialog_base.h"

namespace tolvane::win32 {

template <typename Form>
struct ControlBinding {
  int controlId = 0;
  // One of the two: the text of an edit or a combo box, or a check box.
  std::u16string Form::*text = nullptr;
  bool Form::*check = nullptr;
};

// The bindings of a form; the form's type is taken from the form itself.
template <typename Form>
using ControlBindings = std::span<const ControlBinding<std::type_identity_t<Form>>>;

template <typename Form>
void showForm(const CDialogBase& dialog, const Form& form, ControlBindings<Form> bindings) {
  for (const ControlBinding<Form>& binding : bindings) {
    if (binding.text) dialog.setText(binding.controlId, form.*binding.text);
    if (binding.check) dialog.setChecked(binding.controlId, form.*binding.check);
  }
}

template <typename Form>
void readForm(const CDialogBase& dialog, Form& form, ControlBindings<Form> bindings) {
  for (const ControlBinding<Form>& binding : bindings) {
    if (binding.text) form.*binding.text = dialog.text(binding.controlId);
    if (binding.check) form.*binding.check = dialog.isChecked(binding.controlId);
  }
}

}  // namespace tolvane::win32
