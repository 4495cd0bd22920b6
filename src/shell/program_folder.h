#pragma once
// Where Tolvane.exe lives: the module path cut at "Tolvane.exe" (so it keeps
// its trailing backslash) or, for a renamed program, after its last
// separator. Empty when the module path cannot be had.

#include <string>

namespace tolvane::win32 {

std::wstring moduleFolder();

}  // namespace tolvane::win32
