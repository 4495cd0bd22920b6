#include "editors/wizard/win32/wiz_page3.h"

#include <commctrl.h>

#include "editors/common/win32/editor_controls.h"
#include "editors/dialog_ids.h"
#include "editors/wizard/win32/wizard_ids.h"

namespace tolvane::win32 {

CWizPage3::CWizPage3(HINSTANCE instance, const EditorContext& context, std::function<std::u16string()> proposal)
    : CWizPage(instance, IDD_WIZARD_PAGE_NAME), context_(context), proposal_(std::move(proposal)) {}

std::u16string CWizPage3::name() const { return text(IDC_WIZ_NAME); }

HotKeyCode CWizPage3::hotKey() const {
  return hotKeyOf(item(IDC_WIZ_HOTKEY));
}

bool CWizPage3::startNew() const { return isChecked(IDC_WIZ_NEW_INSTANCE); }

void CWizPage3::onShow() {
  if (name().empty()) setText(IDC_WIZ_NAME, proposal_());
  focusAndSelect(IDC_WIZ_NAME);
}

bool CWizPage3::canGoOn() {
  const std::optional<NameRefusal> refusal = checkNamePage(name(), hotKey(), context_.library);
  if (!refusal) return true;
  if (refusal->showPrompt) setText(IDC_WIZ_NAME, kNamePrompt);
  if (!refusal->message.empty()) context_.prompts.showWarning(refusal->message, u"Tolvane");
  if (refusal->field == NameField::HotKey) {
    SetFocus(item(IDC_WIZ_HOTKEY));
  } else {
    focusAndSelect(IDC_WIZ_NAME);
  }
  return false;
}

}  // namespace tolvane::win32
