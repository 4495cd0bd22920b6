#pragma once
// The test's side of a scripted host process: starts one of the host
// executables, sends it one command per line and reads its answer line.

#include <windows.h>

#include <string>

namespace tolvane::test {

class HostProcess {
 public:
  HostProcess(const std::wstring& executable, const std::wstring& arguments = L"");
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD processId() const { return processId_; }

  // The answer line, or "timeout" when none came within the limit.
  std::string ask(const std::string& command, DWORD timeoutMs = 30000);
  // Sends a command without waiting for its answer.
  void send(const std::string& command);
  // Reads the next answer line.
  std::string answer(DWORD timeoutMs = 30000);

  // Lets the process end by itself (the library then sees its process
  // end); false when it did not end in time.
  bool exit(DWORD timeoutMs = 30000);
  // Ends the process as a crash would: the library never sees it go.
  bool kill();

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HANDLE toHost_ = nullptr;
  HANDLE fromHost_ = nullptr;
  std::string pending_;
};

// Runs a program to its end; its exit code, or -1 when it did not start
// or end in time.
long runProgram(const std::wstring& executable, const std::wstring& arguments, DWORD timeoutMs = 10000);

}  // namespace tolvane::test
