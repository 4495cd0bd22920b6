#include "shell/about/about_dlg.h"

#include "base/format.h"
#include "shell/logs/log_writers.h"
#include "shell/resource.h"

namespace tolvane::win32 {

CAboutDlg::CAboutDlg(HINSTANCE instance, std::u16string programVersion, std::u16string companionVersion)
    : CDialogBase(instance, IDD_ABOUTBOX),
      programVersion_(std::move(programVersion)),
      companionVersion_(std::move(companionVersion)) {}

BOOL CAboutDlg::onInitDialog() {
  setText(IDC_ABOUT_PROGRAM, formatText(u"Tolvane v%s", programVersion_));
  setText(IDC_ABOUT_COMPANION, formatText(u"TolvaneBho.dll v%s", companionVersion_));
  centreOnOwner();
  return TRUE;
}

INT_PTR CAboutDlg::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
  endDialog(LOWORD(wParam));
  return TRUE;
}

void showAboutBox(HINSTANCE instance, HWND owner) {
  CAboutDlg box(instance, versionText(GetModuleHandleW(nullptr)), companionVersionText());
  box.runModal(owner);
}

}  // namespace tolvane::win32
