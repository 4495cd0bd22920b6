#pragma once
// Where the shared debug log lives. Tolvane.exe and the companion in every
// Explorer append to one file: "c:\Tallowmere-TolvaneDebug.log" wherever
// it can be written, and otherwise, as for a standard user who may not
// create files in the root of drive C:, the file of the same name in
// %LOCALAPPDATA%\Tallowmere\Tolvane. Both deliverables run as the same user
// and decide the same way, so they keep writing to the same file. The
// callers serialise appends and the deletion with the debug mutex.

#include <string>
#include <string_view>

namespace tolvane::win32 {

struct DebugLogPlaces {
  std::u16string fixed;
  // Empty when the user's local application data folder is not known.
  std::u16string perUser;
};

// The two places of this user.
DebugLogPlaces debugLogPlaces();

// Appends to the fixed place, or to the per-user one (making its folder)
// when the fixed one cannot be opened for any reason but another program
// holding it without sharing.
void appendDebugLogText(const DebugLogPlaces& places, std::u16string_view text);

// Deletes the log in both places, so that the one in use goes whichever it
// is; what cannot be deleted stays.
void deleteDebugLogFiles(const DebugLogPlaces& places);

}  // namespace tolvane::win32
