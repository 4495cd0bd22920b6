#include "shell/app/tolvane_app.h"

#include <commctrl.h>

#include <memory>

#include "platform/win32/targeting/foreground.h"
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

}  // namespace

bool CTolvaneApp::InitInstance() {
  HANDLE instanceMutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    MessageBoxW(nullptr, L"Tolvane is already running.", kCaption, MB_OK | MB_ICONERROR);
    bringFirstInstanceForward();
    CloseHandle(instanceMutex);
    return false;
  }

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES |
                                                      ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  helpFile_ = moduleFolder() + L"Tolvane.chm";
  {
    auto dialog = std::make_unique<CTolvaneDlg>(instance_);
    HACCEL accelerators = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    dialog->runModal(nullptr, accelerators);
  }
  if (instanceMutex) CloseHandle(instanceMutex);
  return false;
}

}  // namespace tolvane::win32
