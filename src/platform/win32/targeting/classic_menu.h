#pragma once
// Reading a window's classic menu bar with its command ids.

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/desktop.h"

namespace tolvane::win32 {

// Nothing when the window has no menu bar or its items cannot be read.
std::optional<std::vector<ClassicMenuItem>> readClassicMenu(HWND window);

}  // namespace tolvane::win32
