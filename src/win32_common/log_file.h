#pragma once
// Appending to the log files that the main program and the companion in
// every Explorer share. Each append opens and closes the file, so that no
// process keeps it; the callers serialise appends with the debug mutex.

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane::win32 {

// The text as the log files take it: converted to the ANSI code page and
// cut, at a character boundary, to the 512-byte line buffer.
std::string ansiLogBytes(std::u16string_view text);

// Appends the text's log bytes at the end of the file, creating it; a file
// that cannot be opened loses the line. 0, or the error of opening it.
std::uint32_t appendLogText(std::u16string_view path, std::u16string_view text);

}  // namespace tolvane::win32
