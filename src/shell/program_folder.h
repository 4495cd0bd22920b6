#pragma once
// Where Tolvane.exe lives: the module path cut at "Tolvane.exe" (so it keeps
// its trailing backslash) or, for a renamed program, after its last
// separator. Empty when the module path cannot be had.

#include <string>

namespace tolvane::win32 {

std::wstring moduleFolder();

// The program folder of the run: the module's folder or, when that cannot
// be had, the current directory, with a trailing backslash.
std::wstring programFolder();

}  // namespace tolvane::win32
