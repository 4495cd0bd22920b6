#include "editors/wizard/win32/wiz_page0.h"

#include "editors/dialog_ids.h"
#include "editors/wizard/win32/wizard_ids.h"

namespace tolvane::win32 {

CWizPage0::CWizPage0(HINSTANCE instance) : CWizPage(instance, IDD_WIZARD_PAGE_TYPE) {}

BOOL CWizPage0::onInitDialog() {
  setChecked(IDC_WIZ_LAUNCH, true);
  return FALSE;
}

void CWizPage0::focusFirstChoice() const { SetFocus(item(IDC_WIZ_LAUNCH)); }

bool CWizPage0::canGoOn() {
  kind_ = isChecked(IDC_WIZ_CAPTURE) ? ChoreKind::Capture : ChoreKind::Launch;
  return true;
}

}  // namespace tolvane::win32
