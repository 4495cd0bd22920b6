#pragma once
// The report a crash left behind, as the next start finds it: the files are
// renamed with the time of the crash, so that a later crash cannot
// overwrite them, and the user is told where they are.

#include <optional>
#include <string>

namespace tolvane::win32 {

// The activity-window line naming the report found in `folder` (with its
// trailing backslash); none when the last run left no report.
std::optional<std::u16string> takeLastCrashReport(const std::wstring& folder);

}  // namespace tolvane::win32
