#include "companion/process_state.h"

#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"

namespace tolvane::companion {

ProcessState& processState() {
  static ProcessState state;
  return state;
}

std::u16string readHostPath() {
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0) return {};
  path[MAX_PATH - 1] = L'\0';
  return win32::fromWide(path);
}

std::uint32_t moduleValue() {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(processState().module));
}

std::uint64_t processStartTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

bool processHasEnded(std::uint32_t processId, std::uint64_t startTime) {
  const win32::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
  // A process we may not open still runs; only an unknown id is gone.
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
  const std::uint64_t started = processStartTime(process.get());
  return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0 ||
         (started != 0 && startTime != 0 && started != startTime);
}

}  // namespace tolvane::companion
