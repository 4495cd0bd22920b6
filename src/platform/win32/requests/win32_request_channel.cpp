#include "platform/win32/requests/win32_request_channel.h"

#include <string>

namespace tolvane::win32 {

namespace {

constexpr wchar_t kInstanceMutexName[] = L"__Tolvane_";

DWORD msUntil(ULONGLONG deadline) {
  const ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// Tolvane.exe beside the running program (Tolvane.exe itself or tolvanectl.exe).
std::wstring programBeside() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Tolvane.exe";
}

}  // namespace

RequestChannel::Reply Win32RequestChannel::send(const Request& request) {
  const std::wstring name = thisSessionRequestPipe();
  const ULONGLONG deadline = GetTickCount64() + kAnswerWaitMs;
  FileHandle pipe;
  for (;;) {
    // Identification only: the server may see who asks, never act as us.
    HANDLE opened = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION | FILE_FLAG_OVERLAPPED, nullptr);
    if (opened != INVALID_HANDLE_VALUE) {
      pipe.reset(opened);
      break;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {Reach::NoServer};
    // Anything but a pipe busy with another requester: not ours to use.
    if (error != ERROR_PIPE_BUSY || msUntil(deadline) == 0) return {Reach::NoAnswer};
    if (!WaitNamedPipeW(name.c_str(), msUntil(deadline)) && GetLastError() == ERROR_FILE_NOT_FOUND) {
      return {Reach::NoServer};
    }
  }
  if (!ownedByCurrentUser(pipe.get())) return {Reach::NoAnswer};
  DWORD mode = PIPE_READMODE_MESSAGE;
  SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);

  std::string message = encodeRequest(request);
  DWORD bytes = 0;
  if (!transfer(pipe.get(), true, message.data(), static_cast<DWORD>(message.size()), bytes, deadline)) {
    return {Reach::NoAnswer};
  }
  char answer[8] = {};
  if (!transfer(pipe.get(), false, answer, sizeof(answer), bytes, deadline)) return {Reach::NoAnswer};
  const std::optional<RequestOutcome> outcome = decodeOutcome(std::string_view(answer, bytes));
  if (!outcome) return {Reach::NoAnswer};
  return {Reach::Answered, *outcome};
}

bool Win32RequestChannel::transfer(HANDLE pipe, bool write, void* buffer, DWORD size, DWORD& bytes,
                                   ULONGLONG deadline) {
  const KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event) return false;
  OVERLAPPED io{};
  io.hEvent = event.get();
  const BOOL started = write ? WriteFile(pipe, buffer, size, nullptr, &io) : ReadFile(pipe, buffer, size, nullptr, &io);
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  if (WaitForSingleObject(io.hEvent, msUntil(deadline)) != WAIT_OBJECT_0) {
    CancelIoEx(pipe, &io);
    GetOverlappedResult(pipe, &io, &bytes, TRUE);
    return false;
  }
  return GetOverlappedResult(pipe, &io, &bytes, FALSE) != FALSE;
}

bool Win32RequestChannel::instanceExists() {
  const KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutexName));
  // A mutex we may not open exists all the same.
  return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

bool Win32RequestChannel::startTolvane() {
  const std::wstring program = programBeside();
  if (program.empty()) return false;
  std::wstring commandLine = L"\"" + program + L"\" /ifnotrunning";
  const std::wstring folder = program.substr(0, program.size() - std::wstring(L"Tolvane.exe").size());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  // Nothing of the requester's is inherited (a script reading its output
  // would wait for Tolvane to end), and Tolvane leaves the requester's job
  // where it may, so that it stays up once the requester is gone.
  BOOL created = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                CREATE_BREAKAWAY_FROM_JOB, nullptr, folder.c_str(), &startup, &process);
  if (!created && GetLastError() == ERROR_ACCESS_DENIED) {
    created = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                             &startup, &process);
  }
  if (!created) return false;
  CloseHandle(process.hThread);
  started_.reset(process.hProcess);
  return true;
}

bool Win32RequestChannel::startedEnded() {
  return !started_ || WaitForSingleObject(started_.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace tolvane::win32
