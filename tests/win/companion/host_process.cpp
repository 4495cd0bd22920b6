#include "host_process.h"

namespace tolvane::test {

HostProcess::HostProcess(const std::wstring& executable, const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE hostIn = nullptr;
  HANDLE hostOut = nullptr;
  if (!CreatePipe(&hostIn, &toHost_, &inheritable, 0)) return;
  if (!CreatePipe(&fromHost_, &hostOut, &inheritable, 0)) return;
  SetHandleInformation(toHost_, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(fromHost_, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = hostIn;
  startup.hStdOutput = hostOut;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::wstring commandLine = L"\"" + executable + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  PROCESS_INFORMATION info = {};
  if (CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &info)) {
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    CloseHandle(info.hThread);
  }
  CloseHandle(hostIn);
  CloseHandle(hostOut);
}

HostProcess::~HostProcess() {
  if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  for (HANDLE handle : {process_, toHost_, fromHost_})
    if (handle) CloseHandle(handle);
}

void HostProcess::send(const std::string& command) {
  const std::string line = command + "\n";
  DWORD written = 0;
  WriteFile(toHost_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string HostProcess::answer(DWORD timeoutMs) {
  const DWORD end = GetTickCount() + timeoutMs;
  for (;;) {
    const std::size_t newline = pending_.find('\n');
    if (newline != std::string::npos) {
      std::string line = pending_.substr(0, newline);
      pending_.erase(0, newline + 1);
      return line;
    }
    DWORD available = 0;
    if (!PeekNamedPipe(fromHost_, nullptr, 0, nullptr, &available, nullptr)) return "ended";
    if (available > 0) {
      char chunk[4096];
      DWORD count = 0;
      if (!ReadFile(fromHost_, chunk, sizeof chunk < available ? sizeof chunk : available, &count, nullptr)) return "ended";
      pending_.append(chunk, count);
      continue;
    }
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return "timeout";
    Sleep(5);
  }
}

std::string HostProcess::ask(const std::string& command, DWORD timeoutMs) {
  send(command);
  return answer(timeoutMs);
}

bool HostProcess::exit(DWORD timeoutMs) {
  if (!process_) return true;
  send("exit");
  return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool HostProcess::kill() {
  return process_ && TerminateProcess(process_, 1) && WaitForSingleObject(process_, 30000) == WAIT_OBJECT_0;
}

long runProgram(const std::wstring& executable, const std::wstring& arguments, DWORD timeoutMs) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + executable + L"\" " + arguments;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return -1;
  CloseHandle(info.hThread);
  long code = -1;
  if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    DWORD exitCode = 0;
    GetExitCodeProcess(info.hProcess, &exitCode);
    code = static_cast<long>(exitCode);
  } else {
    TerminateProcess(info.hProcess, 1);
  }
  CloseHandle(info.hProcess);
  return code;
}

}  // namespace tolvane::test
