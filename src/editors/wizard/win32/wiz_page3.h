#pragma once
// Page 3: the name and hot key of what the wizard makes.

#include <functional>
#include <string>

#include "editors/editor_context.h"
#include "editors/wizard/wizard_pages.h"
#include "editors/wizard/win32/wiz_page.h"

namespace tolvane::win32 {

class CWizPage3 final : public CWizPage {
 public:
  // `proposal` gives the name to offer when the page opens without one.
  CWizPage3(HINSTANCE instance, const EditorContext& context, std::function<std::u16string()> proposal);

  WizardNameForm form() const;

  void onShow() override;
  // Finish refused: the message, and the field put right.
  void showRefusal(const Refusal& refusal) const;
  // Finishing is a click on "Finish", never an Enter that was meant for a
  // field.
  bool ignoresEnter(int) const override { return true; }

 private:
  const EditorContext& context_;
  std::function<std::u16string()> proposal_;
};

}  // namespace tolvane::win32
