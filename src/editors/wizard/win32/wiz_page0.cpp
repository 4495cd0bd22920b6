#include "editors/wizard/win32/wiz_page0.h"

#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/wizard/win32/wizard_ids.h"
#include "editors/wizard/wizard_pages.h"

namespace tolvane::win32 {
namespace {

constexpr ControlBinding<WizardTypeForm> kTypeControls[] = {
    {IDC_WIZ_LAUNCH, kNoField, {.choice = &WizardTypeForm::kind, .value = static_cast<int>(ChoreKind::Launch)}},
    {IDC_WIZ_CAPTURE, kNoField, {.choice = &WizardTypeForm::kind, .value = static_cast<int>(ChoreKind::Capture)}},
};

}  // namespace

CWizPage0::CWizPage0(HINSTANCE instance) : CWizPage(instance, IDD_WIZARD_PAGE_TYPE) {}

BOOL CWizPage0::onInitDialog() {
  showForm(*this, WizardTypeForm{}, kTypeControls);
  return FALSE;
}

void CWizPage0::focusFirstChoice() const { SetFocus(item(IDC_WIZ_LAUNCH)); }

bool CWizPage0::canGoOn() {
  kind_ = static_cast<ChoreKind>(readForm(*this, kTypeControls).kind);
  return true;
}

}  // namespace tolvane::win32
