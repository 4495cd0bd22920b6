#pragma once
// Page 1: the program to launch, from either Start Menu or a file dialog.

#include <memory>
#include <optional>
#include <string>

#include "editors/editor_context.h"
#include "editors/wizard/win32/start_menu_popup.h"
#include "editors/wizard/win32/wiz_page.h"
#include "library/chore.h"

namespace tolvane::win32 {

class CWizPage1 final : public CWizPage {
 public:
  CWizPage1(HINSTANCE instance, const EditorContext& context);

  // Valid once the page was accepted.
  const Chore& programChore() const { return programChore_; }
  std::u16string displayName() const;

  bool canGoOn() override;
  std::vector<int> enterButtons() const override;

 protected:
  void onCommand(int id, int notification) override;

 private:
  void chooseFromStartMenu(int buttonId);
  void browse();
  void takeProgram(std::u16string path, std::u16string name);

  const EditorContext& context_;
  // Built at the first click on each button.
  std::unique_ptr<StartMenuPopup> currentUserMenu_;
  std::unique_ptr<StartMenuPopup> allUsersMenu_;
  // The name of the program picked from a menu or a file dialog.
  std::u16string chosenName_;
  Chore programChore_;
};

}  // namespace tolvane::win32
