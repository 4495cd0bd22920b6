#pragma once
// The two chore files' documents: building their text from the library's
// records and reading records back from their text. The bytes on disk are
// the contract with every existing user's files.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/chore.h"
#include "library/chore_list.h"
#include "library/xml_doc.h"
#include "platform/clock.h"

namespace tolvane {

constexpr std::u16string_view kChoreFileName = u"_TolvaneChores.xml";
constexpr std::u16string_view kChoreListFileName = u"_TolvaneChoreLists.xml";

std::u16string choreFileText(std::span<const Chore> chores);
// Times of day and dates are written in local time.
std::u16string choreListFileText(std::span<const ChoreList> lists, const Clock& clock);

struct ParsedChores {
  bool parsed = false;
  std::u16string error;  // the parser's text when not parsed (may be empty)
  XmlTextPosition errorAt;
  std::vector<Chore> chores;
};

struct DroppedStep {
  std::u16string listName;
  std::u16string choreName;
};

struct ParsedChoreLists {
  bool parsed = false;
  std::u16string error;
  XmlTextPosition errorAt;
  std::vector<ChoreList> lists;
  std::vector<DroppedStep> droppedSteps;
};

ParsedChores parseChoreFile(std::u16string text);

// A copy of the chore a step names, or none when the library has no chore
// of that name.
using ChoreLookup = std::function<const Chore*(std::u16string_view name)>;
ParsedChoreLists parseChoreListFile(std::u16string text, const ChoreLookup& findChore, const Clock& clock);

// "%d,%d,%d,%d" as the files hold it: none when fewer than four numbers,
// the invalid position when a piece is longer than any 32-bit number.
std::optional<WindowPosition> parseWindowPosition(std::u16string_view text);

// A time of day as "HHMMSS" on 2 February of `year`, and a date as
// "DDMMYYYY" at local midnight; none when the text does not hold a real
// time or date.
std::optional<std::int64_t> parseTimeOfDay(std::u16string_view text, int year, const Clock& clock);
std::optional<std::int64_t> parseRunDate(std::u16string_view text, const Clock& clock);

// The file's bytes are UTF-16LE code units, without byte-order mark.
std::string toFileBytes(std::u16string_view text);

struct FileText {
  bool converted = false;  // false when a NUL cuts the text short
  std::u16string text;
};
// The text up to its first NUL code unit; an odd last byte is dropped.
// Not converted when the NUL comes more than 20 code units before the end.
FileText fromFileBytes(std::string_view bytes);

}  // namespace tolvane
