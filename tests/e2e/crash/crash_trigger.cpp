// Compiled into TolvaneCrashTest.exe only: a Tolvane that writes through a
// null pointer on a thread of its own as soon as start-up has greeted the
// user, so the crash report can be tested end to end.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "shell/main_window/tolvane_dlg.h"
#include "shell/resource.h"

namespace {

volatile std::uintptr_t nowhere = 0;

__attribute__((noinline)) void crashHere() { *reinterpret_cast<volatile int*>(nowhere) = 56; }

DWORD WINAPI crashAfterStartUp(void*) {
  for (;;) {
    HWND window = tolvane::win32::CTolvaneDlg::mainWindow();
    HWND activity = window ? GetDlgItem(window, IDC_ACTIVITY_LIST) : nullptr;
    if (activity && ListView_GetItemCount(activity) > 0) break;
    Sleep(50);
  }
  crashHere();
  return 0;
}

}  // namespace

void armCrashTrigger() { CloseHandle(CreateThread(nullptr, 0, crashAfterStartUp, nullptr, 0, nullptr)); }
