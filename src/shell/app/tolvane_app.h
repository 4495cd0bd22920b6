#pragma once
// The program run: the single-instance guard, the common controls, the
// crash report, the help file, and the main dialog run until it ends.

#include <windows.h>

namespace tolvane::win32 {

class CTolvaneApp {
 public:
  // `quietIfRunning`: a second start ends without the "already running"
  // box, as when a requester started it and another Tolvane won the race.
  CTolvaneApp(HINSTANCE instance, bool quietIfRunning) : instance_(instance), quietIfRunning_(quietIfRunning) {}

  // The whole run; false, so that the process ends afterwards.
  bool InitInstance();

 private:
  HINSTANCE instance_;
  bool quietIfRunning_;
};

}  // namespace tolvane::win32
