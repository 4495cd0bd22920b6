#include "companion/process_state.h"

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

}  // namespace tolvane::companion
