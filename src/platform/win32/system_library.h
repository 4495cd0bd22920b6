#pragma once
// Loads a DLL of Windows itself from the system folder only, so that a file
// of the same name beside the program (or in the current folder) is never
// taken in its place.

#include <windows.h>

namespace tolvane::win32 {

// The module, or null with the last error set.
HMODULE loadSystemLibrary(const wchar_t* fileName);

}  // namespace tolvane::win32
