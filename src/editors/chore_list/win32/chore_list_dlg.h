#pragma once
// The chore-list editor (dialog 145): "Create a new chore list" for a new
// list, "Edit chore list" for an existing one. It opens the window picker
// for window completions and the schedule editor for the list's schedule;
// Add or Save gives the finished list, which the main window stores.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "controls/dialog_base/dialog_base.h"
#include "controls/shell_dialogs/shell_dialogs.h"
#include "editors/chore_list/chore_list_editor.h"
#include "editors/editor_context.h"

namespace tolvane::win32 {

// None when the user cancels. `existing` is the list to change, null for a
// new one.
std::optional<ChoreList> editChoreList(HWND parent, const EditorContext& context, const ChoreList* existing);

// The dialogs the editor opens over itself; tests put their own in, the
// rest are the real ones.
struct ChoreListDialogs {
  // The window of a completion: the picker in window-selection mode.
  std::function<std::optional<Chore>(HWND owner, const Chore& chore, bool firstOpen)> pickWindow;
  // The file of a "File created" or "File deleted" completion.
  ShellDialogs* shell = nullptr;
  std::function<std::optional<ChoreSchedule>(HWND owner, const ChoreSchedule& schedule)> editSchedule;
};

class CChoreList final : public CDialogBase {
 public:
  CChoreList(const EditorContext& context, const ChoreList* existing, ChoreListDialogs dialogs = {});

  // What Add or Save gave; none until then.
  const std::optional<ChoreList>& result() const { return result_; }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void fillControls();
  void addMoveTip();
  ChoreListForm readControls() const;
  void showStep(const StepShown& shown);
  void showRefusal(const Refusal& refusal);
  // The step list follows the model; `refill` after steps came or went.
  void apply(const StepChange& change, bool refill);

  void onStepSelected();
  void onAddSteps(bool doubleClicked);
  void onRemoveStep();
  void onMoveStep(int delta);
  void onCompletionChosen(bool view);
  void chooseFile();
  void pickWindow();
  void onSchedule();
  void onSave();

  const EditorContext& context_;
  ChoreListEditor editor_;
  ChoreListDialogs dialogs_;
  std::optional<ChoreList> result_;
  // "Available chores:" as listed.
  std::vector<std::u16string> available_;
};

}  // namespace tolvane::win32
