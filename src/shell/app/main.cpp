#include <windows.h>

#include "shell/app/tolvane_app.h"

#ifdef TOLVANE_CRASH_TRIGGER
// Only in the crash report's test build: crashes once start-up is done.
void armCrashTrigger();
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef TOLVANE_CRASH_TRIGGER
  armCrashTrigger();
#endif
  tolvane::win32::CTolvaneApp app(instance);
  app.InitInstance();
  return 0;
}
