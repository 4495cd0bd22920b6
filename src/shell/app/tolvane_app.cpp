#include "shell/app/tolvane_app.h"

#include <commctrl.h>

#include <memory>

#include "shell/main_window/tolvane_dlg.h"
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
  SetForegroundWindow(first);
}

std::wstring helpFilePath() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length < path.size() ? length : 0);
  const std::size_t cut = path.rfind(L"Tolvane.exe");
  if (cut != std::wstring::npos) {
    path.resize(cut);
  } else if (const std::size_t slash = path.find_last_of(L"\\/"); slash != std::wstring::npos) {
    path.resize(slash + 1);
  }
  return path + L"Tolvane.chm";
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

  helpFile_ = helpFilePath();
  {
    auto dialog = std::make_unique<CTolvaneDlg>(instance_);
    HACCEL accelerators = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    dialog->runModal(nullptr, accelerators);
  }
  if (instanceMutex) CloseHandle(instanceMutex);
  return false;
}

}  // namespace tolvane::win32
