#pragma once
// The last word of a crashing Tolvane: an unhandled-exception filter that
// writes a minidump and a one-line note beside the activity log, so that a
// crash leaves a report instead of a vanished program.
//
// Everything the filter needs (paths, the note buffer, MiniDumpWriteDump)
// is prepared when it is installed: at the moment of a crash the heap or
// the program's locks may be what broke, so the filter neither allocates
// nor takes a lock of the program's own. It belongs to Tolvane.exe alone:
// the companion lives in Explorer, whose crashes are not ours to report.

#include <string>

namespace tolvane::win32 {

inline constexpr wchar_t kCrashDumpName[] = L"TolvaneCrash.dmp";
inline constexpr wchar_t kCrashNoteName[] = L"TolvaneCrash.txt";

// Installs the filter for the whole process; reports go into `folder`
// (with its trailing backslash). False when the folder's path is too long
// for the prepared buffers; the program then runs without the filter.
bool installCrashFilter(const std::wstring& folder);

}  // namespace tolvane::win32
