#pragma once
// The file-operation editor (dialog 164, "Define file operation"): copy,
// move, delete or rename a list of source files.

#include <windows.h>

#include <optional>

#include "controls/dialog_base/dialog_base.h"
#include "controls/shell_dialogs/shell_dialogs.h"
#include "editors/editor_context.h"
#include "editors/file_op/file_op_editor.h"
#include "library/chore.h"

namespace tolvane::win32 {

// Runs the editor modally on the file operation of `chore`. On Add returns
// the whole new group (fileOpType, fileOpDest, fileOpConfirm and the
// sources, sorted and without duplicates), which the caller copies into
// its chore's fileOp; nothing on Cancel.
std::optional<FileOperation> editFileOperation(HWND parent, const EditorContext& context, const Chore& chore);

// The dialog behind editFileOperation; tests drive it through its controls
// with their own shell dialogs.
class CFileOpDlg final : public CDialogBase {
 public:
  CFileOpDlg(const EditorContext& context, const Chore& chore, ShellDialogs& shellDialogs);

  // Set when Add accepted the operation.
  const std::optional<FileOperation>& result() const { return result_; }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void onCommand(int id, int code);
  // Model to controls, and what the user typed or ticked back.
  void show();
  void readControls();
  void followUp(FileOpFollowUp followUp);

  void addSources();
  void browseDestination();
  void accept();

  const EditorContext& context_;
  ShellDialogs& shellDialogs_;
  FileOpEditor editor_;
  std::optional<FileOperation> result_;
};

}  // namespace tolvane::win32
