#include "editors/file_op/win32/file_op_dlg.h"

#include <variant>

#include "controls/truncated_tips/truncated_tips.h"
#include "editors/dialog_ids.h"
#include "editors/file_op/win32/file_op_ids.h"

namespace tolvane::win32 {

namespace {

constexpr int kTypeButtons[] = {IDC_FILE_OP_COPY, IDC_FILE_OP_MOVE, IDC_FILE_OP_DELETE, IDC_FILE_OP_RENAME};

// The module that holds the dialog templates (Tolvane.exe, or a test).
HINSTANCE templateModule() { return GetModuleHandleW(nullptr); }

}  // namespace

std::optional<FileOperation> editFileOperation(HWND parent, const EditorContext& context, const Chore& chore) {
  CFileOpDlg dialog(context, chore, systemShellDialogs());
  if (dialog.runModal(parent) != IDC_FILE_OP_ADD) return std::nullopt;
  return dialog.result();
}

CFileOpDlg::CFileOpDlg(const EditorContext& context, const Chore& chore, ShellDialogs& shellDialogs)
    : CDialogBase(templateModule(), IDD_FILE_OPERATION),
      context_(context),
      shellDialogs_(shellDialogs),
      editor_(chore.fileOp) {}

BOOL CFileOpDlg::onInitDialog() {
  setEnterButtons({IDC_FILE_OP_ADD_SOURCES, IDC_FILE_OP_REMOVE_SOURCE, IDC_FILE_OP_BROWSE_DESTINATION,
                   IDC_FILE_OP_ADD, IDCANCEL});
  attachTruncatedTips(item(IDC_FILE_OP_SOURCES));
  attachTruncatedTips(item(IDC_FILE_OP_DESTINATION));
  show();
  centreOnOwner();
  // Not the first radio button: focusing an unchecked one would choose it.
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_FILE_OP_SOURCES)), TRUE);
  return FALSE;
}

INT_PTR CFileOpDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_VKEYTOITEM:
      // The Delete key in the source list removes the selected source.
      if (reinterpret_cast<HWND>(lParam) != item(IDC_FILE_OP_SOURCES) || LOWORD(wParam) != VK_DELETE) return -1;
      readControls();
      followUp(editor_.removeSelected());
      return -2;
    default:
      return FALSE;
  }
}

void CFileOpDlg::onCommand(int id, int code) {
  switch (id) {
    case IDC_FILE_OP_COPY:
    case IDC_FILE_OP_MOVE:
    case IDC_FILE_OP_DELETE:
    case IDC_FILE_OP_RENAME:
      if (code != BN_CLICKED) return;
      readControls();
      followUp(editor_.chooseType(static_cast<FileOpType>(id - IDC_FILE_OP_COPY)));
      return;
    case IDC_FILE_OP_SOURCES:
      if (code == LBN_SELCHANGE) editor_.select(selectedIndex(IDC_FILE_OP_SOURCES));
      return;
    case IDC_FILE_OP_ADD_SOURCES:
      addSources();
      return;
    case IDC_FILE_OP_REMOVE_SOURCE:
      readControls();
      followUp(editor_.removeSelected());
      return;
    case IDC_FILE_OP_BROWSE_DESTINATION:
      browseDestination();
      return;
    case IDC_FILE_OP_ADD:
      accept();
      return;
    case IDCANCEL:
      endDialog(IDCANCEL);
      return;
    default:
      return;
  }
}

void CFileOpDlg::show() {
  for (const int id : kTypeButtons) setChecked(id, id - IDC_FILE_OP_COPY == editor_.type());
  setItems(IDC_FILE_OP_SOURCES, editor_.sources());
  selectIndex(IDC_FILE_OP_SOURCES, editor_.selected());
  setText(IDC_FILE_OP_DESTINATION, editor_.destination());
  SendMessageW(item(IDC_FILE_OP_DESTINATION), EM_SETREADONLY, editor_.destinationWritable() ? FALSE : TRUE, 0);
  enable(IDC_FILE_OP_BROWSE_DESTINATION, editor_.destinationBrowsable());
  setChecked(IDC_FILE_OP_CONFIRM, editor_.confirm());
}

void CFileOpDlg::readControls() {
  editor_.setDestination(text(IDC_FILE_OP_DESTINATION));
  editor_.setConfirm(isChecked(IDC_FILE_OP_CONFIRM));
  editor_.select(selectedIndex(IDC_FILE_OP_SOURCES));
}

void CFileOpDlg::followUp(FileOpFollowUp followUp) {
  show();
  switch (followUp) {
    case FileOpFollowUp::BrowseDestination:
      browseDestination();
      return;
    case FileOpFollowUp::EditDestination:
      focusAndSelect(IDC_FILE_OP_DESTINATION);
      return;
    case FileOpFollowUp::FocusSources:
      SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_FILE_OP_SOURCES)), TRUE);
      return;
    case FileOpFollowUp::None:
      return;
  }
}

void CFileOpDlg::addSources() {
  readControls();
  OpenFileRequest request;
  request.title = u"Select source files: ";
  request.filters = {{u"All files", u"*.*"}};
  request.severalFiles = editor_.severalSourcesAtOnce();
  followUp(editor_.addSources(shellDialogs_.openFiles(hwnd(), request)));
}

void CFileOpDlg::browseDestination() {
  if (!editor_.destinationBrowsable()) return;
  readControls();
  if (std::optional<ChosenFolder> folder = shellDialogs_.browseForFolder(hwnd(), u"Select the destination folder:")) {
    followUp(editor_.setBrowsedDestination(folder->path));
  }
}

void CFileOpDlg::accept() {
  readControls();
  auto outcome = editor_.accept();
  if (auto* operation = std::get_if<FileOperation>(&outcome)) {
    result_ = std::move(*operation);
    endDialog(IDC_FILE_OP_ADD);
    return;
  }
  const FileOpRefusal& refusal = std::get<FileOpRefusal>(outcome);
  if (!refusal.message.empty()) context_.prompts.showWarning(refusal.message, u"Tolvane");
  followUp(refusal.focus);
}

}  // namespace tolvane::win32
