#pragma once
// Iterating the running processes and the modules of one process. Both read
// the whole list at once into room for 1024 entries (kept on the stack, as
// every poll of a wait does this anew) and grow only when the list fills it.

#include <windows.h>

#include <array>
#include <cstddef>
#include <vector>

#include "platform/win32/common/owned_handle.h"

namespace tolvane::win32 {

class CProcessEnumerator {
 public:
  CProcessEnumerator();
  CProcessEnumerator(const CProcessEnumerator&) = delete;
  CProcessEnumerator& operator=(const CProcessEnumerator&) = delete;

  // The next process id, or 0 at the end. The idle process (id 0) is never
  // returned.
  DWORD next();

 private:
  std::array<DWORD, 1024> fixed_;
  std::vector<DWORD> grown_;
  const DWORD* ids_ = nullptr;
  std::size_t count_ = 0;
  std::size_t position_ = 0;
};

class CModuleEnumerator {
 public:
  // `process` is opened by the caller with query and read rights; a null or
  // unreadable process yields no modules. With `firstOnly` only the
  // executable is read, which spares reading the whole module list of
  // another process when nothing else is wanted.
  explicit CModuleEnumerator(HANDLE process, bool firstOnly = false);
  CModuleEnumerator(const CModuleEnumerator&) = delete;
  CModuleEnumerator& operator=(const CModuleEnumerator&) = delete;

  // The next module, starting with the executable; null at the end.
  HMODULE next();

 private:
  std::array<HMODULE, 1024> fixed_;
  std::vector<HMODULE> grown_;
  const HMODULE* modules_ = nullptr;
  std::size_t count_ = 0;
  std::size_t position_ = 0;
};

// A process opened for reading its modules; empty when it cannot be.
class ProcessHandle : public KernelHandle {
 public:
  explicit ProcessHandle(DWORD processId);
};

}  // namespace tolvane::win32
