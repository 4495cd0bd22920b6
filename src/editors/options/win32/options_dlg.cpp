#include "editors/options/win32/options_dlg.h"

#include "controls/dialog_base/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/options/win32/options_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

constexpr ControlBinding<OptionsForm> kOptionsControls[] = {
    {.controlId = IDC_OPTIONS_ALWAYS_ON_TOP, .check = &OptionsForm::alwaysOnTop},
    {.controlId = IDC_OPTIONS_AUTO_START, .check = &OptionsForm::autoStart},
    {.controlId = IDC_OPTIONS_EXIT_SYSTRAY, .check = &OptionsForm::exitSystray},
    {.controlId = IDC_OPTIONS_DEBUG_LOG, .check = &OptionsForm::doDebugLog},
    {.controlId = IDC_OPTIONS_ACTIVITY_LOG, .check = &OptionsForm::doActivityLog},
    {.controlId = IDC_OPTIONS_MINIMIZE_ON_START, .check = &OptionsForm::minimizeOnStart},
    {.controlId = IDC_OPTIONS_DELETE_DEBUG_LOG, .check = &OptionsForm::deleteDebugLog},
    {.controlId = IDC_OPTIONS_PROMPT_SAVE, .check = &OptionsForm::promptSave},
    {.controlId = IDC_OPTIONS_MAKE_BACKUP, .check = &OptionsForm::makeBackup},
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

COptions::COptions(HINSTANCE instance, const OptionsForm& form) : CDialogBase(instance, IDD_OPTIONS), form_(form) {}

BOOL COptions::onInitDialog() {
  showForm(*this, form_, kOptionsControls);
  setEnterButtons({IDOK, IDCANCEL});
  centreOnOwner();
  return TRUE;
}

INT_PTR COptions::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      readForm(*this, form_, kOptionsControls);
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
  COptions dialog(GetModuleHandleW(nullptr), optionsFormFor(context.settings));
  if (dialog.runModal(parent) != IDOK) return std::nullopt;
  return applyOptions(context.settings, dialog.form(), context.registry, programPath());
}

}  // namespace tolvane::win32
