#pragma once
// A helper program started by a test and ended by its process id when the
// test is over.

#include <windows.h>

#include <string>

namespace tolvane::test {

// The folder of the running test executable, where the helper programs are
// built too, with a trailing backslash.
std::wstring testProgramFolder();

// Polls for a top-level window of that class and title (either may be null).
HWND waitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs = 10000);

class ChildProgram {
 public:
  // Starts `commandLine` (the program path is not quoted for the caller).
  explicit ChildProgram(const std::wstring& commandLine);
  ~ChildProgram();
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  DWORD id() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_{};
};

// Ends every process that owns a top-level window of the class, by its id.
void endProgramsWithWindowClass(const wchar_t* className);

}  // namespace tolvane::test
