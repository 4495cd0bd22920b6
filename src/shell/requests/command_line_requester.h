#pragma once
// Tolvane.exe as a requester: /run "NAME" and /stop "NAME" are sent to the
// Tolvane of this session (started first when none runs there), and the
// process ends with the outcome as its exit code. It never shows the
// "already running" box nor brings a window forward.
//
// Tolvane.exe is a windowed program, so a failure's one line goes to an
// inherited standard handle (start /wait Tolvane.exe /run x 2>err.txt),
// else to the console of the program that started it, else, in the user's
// own session only, to a box captioned "Tolvane".

#include <string>
#include <vector>

#include "protocol/request_command_line.h"

namespace tolvane::win32 {

// The words after the program's path on its command line.
std::vector<std::u16string> programArguments();

// For a Request or a Usage line: the exit code.
int answerRequestLine(const ParsedRequestLine& line);

}  // namespace tolvane::win32
