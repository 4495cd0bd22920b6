#pragma once
// The chore wizard ("Chore Wizard"): a frame with a picture, the current
// page's title, the page and the buttons "<< Back", "Next >>"/"Finish",
// "Test"/"Stop" and "Cancel".
//
//   EditorSession session(core);   // hot keys suspended meanwhile
//   if (auto made = runChoreWizard(hwnd(), session.context())) ... store made->chore or made->list
//
// Closing it by any path ends a capture and a test that still run.

#include <windows.h>

#include <array>
#include <optional>

#include "editors/editor_context.h"
#include "editors/wizard/wizard_build.h"
#include "editors/wizard/wizard_pages.h"
#include "editors/wizard/win32/wiz_page0.h"
#include "editors/wizard/win32/wiz_page1.h"
#include "editors/wizard/win32/wiz_page2.h"
#include "editors/wizard/win32/wiz_page3.h"

namespace tolvane::win32 {

// What the user finished, or none when the wizard was cancelled; the
// caller adds it (and newChores) to the library.
std::optional<WizardResult> runChoreWizard(HWND parent, const EditorContext& context);

class CWizardDlg final : public CDialogBase {
 public:
  CWizardDlg(HINSTANCE instance, const EditorContext& context);
  ~CWizardDlg() override;

  // After runModal returned IDOK.
  const std::optional<WizardResult>& result() const { return result_; }
  // The capture and the test end; called whenever the wizard closes.
  void stopEverything();

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool preTranslateMessage(const MSG& message) override;

 private:
  CWizPage& page(WizardPage which);
  void placePages();
  void showPage(WizardPage which);
  void updateButtons();
  bool onEnter(HWND focus);

  void onNext();
  void onBack();
  void onTest();
  void onCancel();
  void endTest();
  void pollTest();
  WizardChoices choices() const;
  std::u16string proposedName() const;

  const EditorContext& context_;
  WizardEditor editor_;
  CWizPage0 type_;
  CWizPage1 program_;
  CWizPage2 keys_;
  CWizPage3 name_;
  WizardPage current_ = WizardPage::Type;
  bool testing_ = false;
  int idlePolls_ = 0;
  HFONT headerFont_ = nullptr;
  HBITMAP picture_ = nullptr;
  std::optional<WizardResult> result_;
};

}  // namespace tolvane::win32
