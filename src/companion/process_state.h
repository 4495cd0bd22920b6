#pragma once
// What each process that loads the library knows about itself.

#include <windows.h>

#include <string>

#include "companion/host_rules.h"

namespace tolvane::companion {

struct ProcessState {
  HMODULE module = nullptr;
  DWORD uProcId = 0;
  // Creation time: with the id, it tells this process from a later one.
  std::uint64_t startTime = 0;
  std::u16string hostPath;
  HostKind kind = HostKind::Other;
  // Set only by an accepted attach; detach undoes only what attach did.
  bool accepted = false;
};

ProcessState& processState();

// Full path of the host executable, at most 260 characters.
std::u16string readHostPath();

// The module handle printed after "hModule=" (its low 32 bits).
std::uint32_t moduleValue();

// Creation time of a process; 0 when it cannot be read.
std::uint64_t processStartTime(HANDLE process);

// True only when the process with this id and creation time has certainly
// ended: its id is unused, its handle is signalled, or the id now belongs
// to a process created at another time.
bool processHasEnded(std::uint32_t processId, std::uint64_t startTime);

}  // namespace tolvane::companion
