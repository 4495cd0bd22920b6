#pragma once
// Page 0: a chore that launches a program, or a list of captured keys.

#include "editors/wizard/wizard_build.h"
#include "editors/wizard/win32/wiz_page.h"

namespace tolvane::win32 {

class CWizPage0 final : public CWizPage {
 public:
  explicit CWizPage0(HINSTANCE instance);

  ChoreKind kind() const { return kind_; }
  // Back on this page: the focus goes to the first choice.
  void focusFirstChoice() const;

  bool canGoOn() override;

 protected:
  BOOL onInitDialog() override;

 private:
  ChoreKind kind_ = ChoreKind::Launch;
};

}  // namespace tolvane::win32
