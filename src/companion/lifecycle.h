#pragma once
// What happens when a process loads or unloads the library: the host is
// classified, refused or counted, and the first Explorer starts the
// command thread.

#include <windows.h>

namespace tolvane::companion {

// False refuses the load in this process.
bool onProcessAttach(HMODULE module);
void onProcessDetach(bool processTerminating);

}  // namespace tolvane::companion
