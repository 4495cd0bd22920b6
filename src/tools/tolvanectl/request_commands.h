#pragma once
// tolvanectl run NAME and tolvanectl stop NAME (Windows only): the request
// goes to the Tolvane of this session, which is started first when none
// runs there. The exit code is the outcome; a failure's line goes to
// stderr.

#include <optional>
#include <span>
#include <string>

#include "tools/tolvanectl/tolvanectl.h"

namespace tolvane::win32 {

// Nothing when the words are another command of tolvanectl's.
std::optional<ToolResult> runRequestCommand(std::span<const std::u16string> args);

}  // namespace tolvane::win32
