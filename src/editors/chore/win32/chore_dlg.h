#pragma once
// The chore editor (dialog 144, "Create a new chore" / "Edit a chore"): the
// type, the target, arguments, start-up folder, name and hot key of one
// chore; for window operations, menu and button commands and file
// operations it opens the picker or the file-operation editor. The rules
// are the model's (editors/chore/chore_editor.h); this window shows them.

#include <windows.h>

#include <functional>
#include <optional>

#include "controls/dialog_base/dialog_base.h"
#include "controls/shell_dialogs/shell_dialogs.h"
#include "editors/chore/chore_editor.h"
#include "editors/editor_context.h"
#include "editors/picker/picker_mode.h"
#include "library/chore.h"

namespace tolvane::win32 {

// Creates a chore (`existing` null) or edits a copy of `existing`. Returns
// the chore to store (in place of `existing`, when editing); nothing when
// the user cancelled. The library is not touched.
std::optional<Chore> editChore(HWND parent, const EditorContext& context, const Chore* existing);

// What the chore editor opens on top of itself; editChore gives the real
// ones, tests their own.
struct ChoreDialogHelpers {
  ShellDialogs& shell;
  std::function<std::optional<Chore>(HWND owner, const Chore& chore, PickerMode mode)> pickWindowTarget;
  std::function<std::optional<FileOperation>(HWND owner, const Chore& chore)> editFileOperation;
};

// The dialog behind editChore.
class CChoreDlg final : public CDialogBase {
 public:
  CChoreDlg(const EditorContext& context, const Chore* existing, ChoreDialogHelpers helpers);

  // Set when Add or Save accepted the chore.
  const std::optional<Chore>& result() const { return result_; }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void showOpening();
  INT_PTR onCommand(int id, WORD code);
  INT_PTR onTimer(UINT_PTR timer);
  void onTypeListNotification(WORD code);
  void onTypeChosen();
  // Enables what the type uses and opens what it needs.
  void act(const std::optional<TypeChoice>& choice);
  void pickWindow(bool windowsOperation);
  void listDesktopShortcuts();
  void browseTarget();
  void browseInitialDir();
  void addTarget(const std::u16string& path);
  // The target list's entries, as listed.
  void setTargets(std::vector<std::u16string> targets);
  void onAdd();
  void enableControls(const ChoreControls& controls) const;
  void dropDown(int id) const;
  void focus(int id) const;
  ChoreForm formFromControls() const;

  ChoreDialogHelpers helpers_;
  Prompts& prompts_;
  ChoreEditor editor_;
  std::optional<Chore> result_;
  std::vector<std::u16string> targets_;
};

}  // namespace tolvane::win32
