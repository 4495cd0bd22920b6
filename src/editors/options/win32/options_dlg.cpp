#include "editors/options/win32/options_dlg.h"

#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/options/win32/options_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

constexpr ControlBinding<OptionsForm> kOptionsControls[] = {
    {IDC_OPTIONS_ALWAYS_ON_TOP, kNoField, {.check = &OptionsForm::alwaysOnTop}},
    {IDC_OPTIONS_AUTO_START, kNoField, {.check = &OptionsForm::autoStart}},
    {IDC_OPTIONS_EXIT_SYSTRAY, kNoField, {.check = &OptionsForm::exitSystray}},
    {IDC_OPTIONS_DEBUG_LOG, kNoField, {.check = &OptionsForm::doDebugLog}},
    {IDC_OPTIONS_ACTIVITY_LOG, kNoField, {.check = &OptionsForm::doActivityLog}},
    {IDC_OPTIONS_MINIMIZE_ON_START, kNoField, {.check = &OptionsForm::minimizeOnStart}},
    {IDC_OPTIONS_DELETE_DEBUG_LOG, kNoField, {.check = &OptionsForm::deleteDebugLog}},
    {IDC_OPTIONS_PROMPT_SAVE, kNoField, {.check = &OptionsForm::promptSave}},
    {IDC_OPTIONS_MAKE_BACKUP, kNoField, {.check = &OptionsForm::makeBackup}},
};

// Where this program really is, whatever the current folder.
std::u16string programPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return fromWide(path);
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

COptions::COptions(HINSTANCE instance, const OptionsEditor& editor)
    : CDialogBase(instance, IDD_OPTIONS), editor_(editor) {}

BOOL COptions::onInitDialog() {
  const OptionsOpening opening = editor_.open();
  SetWindowTextW(hwnd(), toWide(opening.caption).c_str());
  showForm(*this, opening.form, kOptionsControls);
  setEnterButtons({IDOK, IDCANCEL});
  centreOnOwner();
  return TRUE;
}

INT_PTR COptions::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      // Nothing is refused here.
      result_ = std::get<OptionsOutcome>(editor_.submit(readForm(*this, kOptionsControls)));
      endDialog(IDOK);
      return TRUE;
    case IDCANCEL:
      endDialog(IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

std::optional<OptionsOutcome> editOptions(HWND parent, const EditorContext& context) {
  const OptionsEditor editor(context.settings, context.registry, programPath());
  COptions dialog(GetModuleHandleW(nullptr), editor);
  if (dialog.runModal(parent) != IDOK) return std::nullopt;
  return dialog.result();
}

}  // namespace tolvane::win32
