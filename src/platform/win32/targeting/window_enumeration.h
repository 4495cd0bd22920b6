#pragma once
// Enumerating the windows that chores can target. Every call reads the
// system afresh; nothing is cached.

#include <windows.h>

#include <string_view>

#include "platform/window_info.h"

namespace tolvane::win32 {

// Every titled main window of every process that could be opened, with its
// executable's base name and path.
WindowInfoList enumerateMainWindows();

// Every titled descendant of `parent`, with its control id.
WindowInfoList enumerateChildWindows(HWND parent);

// True when some process's executable base name contains the text.
bool isProcessRunning(std::u16string_view namePart);

}  // namespace tolvane::win32
