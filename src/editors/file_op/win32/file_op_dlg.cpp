#include "editors/file_op/win32/file_op_dlg.h"

#include <variant>

#include "controls/truncated_tips/truncated_tips.h"
#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/file_op/win32/file_op_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

constexpr ControlBinding<FileOpForm> kFileOpControls[] = {
    {IDC_FILE_OP_COPY, kNoField, {.choice = &FileOpForm::type, .value = FILEOP_COPY}},
    {IDC_FILE_OP_MOVE, kNoField, {.choice = &FileOpForm::type, .value = FILEOP_MOVE}},
    {IDC_FILE_OP_DELETE, kNoField, {.choice = &FileOpForm::type, .value = FILEOP_DELETE}},
    {IDC_FILE_OP_RENAME, kNoField, {.choice = &FileOpForm::type, .value = FILEOP_RENAME}},
    {IDC_FILE_OP_SOURCES, fieldId(FileOpField::Sources), {.selection = &FileOpForm::selected}},
    {IDC_FILE_OP_DESTINATION, fieldId(FileOpField::Destination), {.text = &FileOpForm::destination}},
    {IDC_FILE_OP_CONFIRM, kNoField, {.check = &FileOpForm::confirm}},
};

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
  SetWindowTextW(hwnd(), toWide(editor_.open().caption).c_str());
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
      if (code == LBN_SELCHANGE) readControls();
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
  setItems(IDC_FILE_OP_SOURCES, editor_.sources());
  showForm(*this, editor_.form(), kFileOpControls);
  SendMessageW(item(IDC_FILE_OP_DESTINATION), EM_SETREADONLY, editor_.destinationWritable() ? FALSE : TRUE, 0);
  enable(IDC_FILE_OP_BROWSE_DESTINATION, editor_.destinationBrowsable());
}

void CFileOpDlg::readControls() { editor_.update(readForm(*this, kFileOpControls)); }

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
  Submission<FileOperation> outcome = editor_.submit(readForm(*this, kFileOpControls));
  if (auto* operation = std::get_if<FileOperation>(&outcome)) {
    result_ = std::move(*operation);
    endDialog(IDC_FILE_OP_ADD);
    return;
  }
  show();
  showRefusal(*this, context_.prompts, std::get<Refusal>(outcome), kFileOpControls);
}

}  // namespace tolvane::win32
