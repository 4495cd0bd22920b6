#pragma once
// The program run: the single-instance guard, the common controls, the
// crash report, the help file, and the main dialog run until it ends.

#include <windows.h>

namespace tolvane::win32 {

class CTolvaneApp {
 public:
  explicit CTolvaneApp(HINSTANCE instance) : instance_(instance) {}

  // The whole run; false, so that the process ends afterwards.
  bool InitInstance();

 private:
  HINSTANCE instance_;
};

}  // namespace tolvane::win32
