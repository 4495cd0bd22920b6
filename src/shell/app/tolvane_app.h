#pragma once
// The program run: the single-instance guard, the common controls, the
// help file, and the main dialog run until it ends.

#include <windows.h>

#include <string>

namespace tolvane::win32 {

class CTolvaneApp {
 public:
  explicit CTolvaneApp(HINSTANCE instance) : instance_(instance) {}

  // The whole run; false, so that the process ends afterwards.
  bool InitInstance();

  const std::wstring& helpFile() const { return helpFile_; }

 private:
  HINSTANCE instance_;
  std::wstring helpFile_;
};

}  // namespace tolvane::win32
