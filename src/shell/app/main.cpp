#include <windows.h>

#include "shell/app/tolvane_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  tolvane::win32::CTolvaneApp app(instance);
  app.InitInstance();
  return 0;
}
