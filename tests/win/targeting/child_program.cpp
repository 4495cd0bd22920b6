#include "child_program.h"

#include <vector>

namespace tolvane::test {

std::wstring testProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

HWND waitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (HWND window = FindWindowW(className, title)) return window;
    if (GetTickCount64() > end) return nullptr;
    Sleep(20);
  }
}

ChildProgram::ChildProgram(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
    process_ = {};
  }
}

ChildProgram::~ChildProgram() {
  if (!process_.hProcess) return;
  TerminateProcess(process_.hProcess, 0);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

namespace {

BOOL CALLBACK collectOwner(HWND window, LPARAM state) {
  auto* owners = reinterpret_cast<std::pair<const wchar_t*, std::vector<DWORD>>*>(state);
  wchar_t className[260];
  if (GetClassNameW(window, className, 260) && std::wstring(className) == owners->first) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    owners->second.push_back(owner);
  }
  return TRUE;
}

}  // namespace

void endProgramsWithWindowClass(const wchar_t* className) {
  std::pair<const wchar_t*, std::vector<DWORD>> owners{className, {}};
  EnumWindows(collectOwner, reinterpret_cast<LPARAM>(&owners));
  for (DWORD id : owners.second) {
    if (id == GetCurrentProcessId()) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      TerminateProcess(process, 0);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

}  // namespace tolvane::test
