#include "editors/wizard/win32/wiz_page3.h"

#include <commctrl.h>

#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/wizard/win32/wizard_ids.h"

namespace tolvane::win32 {
namespace {

constexpr ControlBinding<WizardNameForm> kNameControls[] = {
    {IDC_WIZ_NAME, fieldId(WizardField::Name), {.text = &WizardNameForm::name}},
    {IDC_WIZ_HOTKEY, fieldId(WizardField::HotKey), {.hotKey = &WizardNameForm::hotKey}},
    {IDC_WIZ_NEW_INSTANCE, kNoField, {.check = &WizardNameForm::startNew}},
};

}  // namespace

CWizPage3::CWizPage3(HINSTANCE instance, const EditorContext& context, std::function<std::u16string()> proposal)
    : CWizPage(instance, IDD_WIZARD_PAGE_NAME), context_(context), proposal_(std::move(proposal)) {}

WizardNameForm CWizPage3::form() const { return readForm(*this, kNameControls); }

void CWizPage3::onShow() {
  WizardNameForm shown = form();
  if (shown.name.empty()) {
    shown.name = proposal_();
    showForm(*this, shown, kNameControls);
  }
  focusAndSelect(IDC_WIZ_NAME);
}

void CWizPage3::showRefusal(const Refusal& refusal) const {
  win32::showRefusal(*this, context_.prompts, refusal, kNameControls);
}

}  // namespace tolvane::win32
