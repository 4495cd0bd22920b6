#include "platform/win32/targeting/process_enumerator.h"

#include <psapi.h>

namespace tolvane::win32 {

namespace {

// Fills `fixed`, or `grown` when the list does not fit, by the rule: a list
// that fills the buffer may have been cut, so retry with twice the room.
template <typename T, std::size_t N, typename Read>
std::size_t readWholeList(std::array<T, N>& fixed, std::vector<T>& grown, const T*& items, Read read) {
  DWORD needed = 0;
  DWORD bytes = static_cast<DWORD>(sizeof(T) * N);
  if (!read(fixed.data(), bytes, &needed)) return 0;
  items = fixed.data();
  while (needed >= bytes) {
    grown.resize(grown.empty() ? N * 2 : grown.size() * 2);
    bytes = static_cast<DWORD>(sizeof(T) * grown.size());
    if (!read(grown.data(), bytes, &needed)) return 0;
    items = grown.data();
  }
  return needed / sizeof(T);
}

}  // namespace

CProcessEnumerator::CProcessEnumerator() {
  count_ = readWholeList(fixed_, grown_, ids_, [](DWORD* ids, DWORD bytes, DWORD* needed) {
    return EnumProcesses(ids, bytes, needed) != FALSE;
  });
}

DWORD CProcessEnumerator::next() {
  while (position_ < count_) {
    const DWORD id = ids_[position_++];
    if (id != 0) return id;
  }
  return 0;
}

CModuleEnumerator::CModuleEnumerator(HANDLE process, bool firstOnly) {
  if (!process) return;
  if (firstOnly) {
    DWORD needed = 0;
    if (EnumProcessModules(process, fixed_.data(), sizeof(HMODULE), &needed) && needed >= sizeof(HMODULE)) {
      modules_ = fixed_.data();
      count_ = 1;
    }
    return;
  }
  count_ = readWholeList(fixed_, grown_, modules_, [process](HMODULE* modules, DWORD bytes, DWORD* needed) {
    return EnumProcessModules(process, modules, bytes, needed) != FALSE;
  });
}

HMODULE CModuleEnumerator::next() { return position_ < count_ ? modules_[position_++] : nullptr; }

ProcessHandle::ProcessHandle(DWORD processId)
    : KernelHandle(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {}

}  // namespace tolvane::win32
