#pragma once
// The companion's side of the shared debug log, and the version texts it
// shows.

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/debug_log_format.h"

namespace tolvane::companion {

protocol::LogTime currentLogTime();

// Per process, at attach and detach.
void openDebugMutex();
void closeDebugMutex();

// One "Bho>" line, written only while `debugLogging` is on; a non-zero
// value follows the text as eight hex digits.
void bhoLog(std::uint32_t value, std::u16string_view text);

// Appends one text to the debug log under "_tolvDbgMtx_"; dropped when
// the mutex or the file cannot be had.
void appendToLogFile(std::u16string_view text);

// "%d.%d Build %d" of TolvaneBho.dll as loaded in this process, or
// "*NOT FOUND*".
std::u16string libraryVersionText();
// "%d.%d.%d.%d" of an executable; empty without version information.
std::u16string fileVersionText(const std::u16string& path);

}  // namespace tolvane::companion
