#pragma once
// What each process that loads the library knows about itself.

#include <windows.h>

#include <string>

#include "companion/host_rules.h"

namespace tolvane::companion {

struct ProcessState {
  HMODULE module = nullptr;
  DWORD uProcId = 0;
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

}  // namespace tolvane::companion
