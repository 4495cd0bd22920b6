#include "shell/app/tolvane_app.h"

#include <commctrl.h>

#include <memory>
#include <optional>

#include "platform/win32/targeting/foreground.h"
#include "shell/app/crash_filter.h"
#include "shell/app/crash_reports.h"
#include "shell/help/help_file.h"
#include "shell/main_window/tolvane_dlg.h"
#include "shell/program_folder.h"
#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

constexpr wchar_t kInstanceMutexName[] = L"__Tolvane_";
constexpr wchar_t kCaption[] = L"Tolvane";

void bringFirstInstanceForward() {
  HWND first = FindWindowW(nullptr, kCaption);
  if (!first) return;
  // A window hidden in the notification area comes back as well.
  if (!IsWindowVisible(first)) ShowWindow(first, SW_SHOW);
  if (IsIconic(first)) SendMessageW(first, WM_SYSCOMMAND, SC_RESTORE, 0);
  bringToForeground(first);
}

void runMainWindow(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES |
                                                      ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  // The report of a crash in the last run is picked up before this run
  // could leave one of its own.
  const std::wstring folder = programFolder();
  const std::optional<std::u16string> lastCrash = takeLastCrashReport(folder);
  installCrashFilter(folder);

  // The Help commands open this file (see help_file.h).
  setHelpFile(moduleFolder() + L"Tolvane.chm");
  {
    auto dialog = std::make_unique<CTolvaneDlg>(instance);
    if (lastCrash) dialog->addStartNotice(*lastCrash);
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    dialog->runModal(nullptr, accelerators);
  }
  closeHelp();
}

}  // namespace

bool CTolvaneApp::InitInstance() {
  // Lives as long as this run: another Tolvane, or a requester, sees it.
  HANDLE instanceMutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    if (!quietIfRunning_) {
      MessageBoxW(nullptr, L"Tolvane is already running.", kCaption, MB_OK | MB_ICONERROR);
      bringFirstInstanceForward();
    }
  } else {
    runMainWindow(instance_);
  }
  if (instanceMutex) CloseHandle(instanceMutex);
  return false;
}

}  // namespace tolvane::win32
