#include <windows.h>

#include "shell/app/tolvane_app.h"
#include "shell/requests/command_line_requester.h"

#ifdef TOLVANE_CRASH_TRIGGER
// Only in the crash report's test build: crashes once start-up is done.
void armCrashTrigger();
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const tolvane::ParsedRequestLine line = tolvane::parseProgramArguments(tolvane::win32::programArguments());
  if (line.kind == tolvane::RequestLine::Request || line.kind == tolvane::RequestLine::Usage) {
    return tolvane::win32::answerRequestLine(line);
  }
#ifdef TOLVANE_CRASH_TRIGGER
  armCrashTrigger();
#endif
  tolvane::win32::CTolvaneApp app(instance, line.kind == tolvane::RequestLine::StartUnlessRunning);
  app.InitInstance();
  return 0;
}
