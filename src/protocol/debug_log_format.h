#pragma once
// Line formats of the shared debug log. Both deliverables append to the
// one file; lines start with "\r\n" and carry a marker: "tolv>" for the
// main program, "Bho>" for the companion.

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane::protocol {

inline constexpr char16_t kDebugLogPath[] = u"c:\\Tallowmere-TolvaneDebug.log";
// A standard Windows user cannot create files in the root of drive C:.
// There, both deliverables append to the file of this name in this folder
// of the user's local application data instead, so that they still share
// one log.
inline constexpr char16_t kDebugLogFileName[] = u"Tallowmere-TolvaneDebug.log";
inline constexpr char16_t kPerUserDebugLogFolder[] = u"Tallowmere\\Tolvane";

// Appends convert to the ANSI code page into a buffer of this many bytes.
inline constexpr std::size_t kLogLineBytes = 512;

struct LogTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Companion lines.
std::u16string bhoHeaderLine(const LogTime& time);
// A non-zero value follows the text as eight lower-case hex digits.
std::u16string bhoLine(const LogTime& time, std::u16string_view text, std::uint32_t value);
// The raw trace of a completed document; it has no marker.
std::u16string docCompleteLine(const LogTime& time, std::u16string_view address);

// Main program lines.
std::u16string tolvHeaderLine(const LogTime& time);
std::u16string tolvVersionLine(std::u16string_view programVersion, std::u16string_view companionVersion);
// A non-zero code follows the text as eight lower-case hex digits.
std::u16string tolvLine(const LogTime& time, std::u16string_view text, std::uint32_t code);

// "%d.%d Build %d" of a fixed file version given as its two double words.
std::u16string versionText(std::uint32_t fileVersionMs, std::uint32_t fileVersionLs);
// "%d.%d.%d.%d", the four words most significant first.
std::u16string fullVersionText(std::uint32_t fileVersionMs, std::uint32_t fileVersionLs);
// The companion's version text when its module is not loaded.
inline constexpr char16_t kVersionNotFound[] = u"*NOT FOUND*";

}  // namespace tolvane::protocol
