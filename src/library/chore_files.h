#pragma once
// The chore library's two files beside the program: the start-up load
// (with the offer of the sample files), the save on close and the backups.

#include <string>
#include <string_view>
#include <vector>

#include "library/chore_file_format.h"
#include "library/chore_library.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/log_sink.h"
#include "platform/prompts.h"

namespace tolvane {

struct ChoreFileServices {
  Files& files;
  const Clock& clock;
  LogSink& log;
};

enum class ChoreFileStatus {
  NotRead,        // not looked at (the chore file before it was missing or unconvertible)
  Missing,        // could not be opened
  Unconvertible,  // a NUL cut its text short
  Unparsable,     // the markup did not parse; `error` has the parser's text
  Read,
};

struct ChoreFileReport {
  ChoreFileStatus status = ChoreFileStatus::NotRead;
  std::u16string error;
  XmlTextPosition errorAt;
  int records = 0;
  bool exists = false;  // the file is there, whether or not it was read
};

// How close treats one chore file that start-up found but did not wholly
// load. Writing over it, or copying it over its backup, would lose the
// user's last good copy of what it holds.
struct UnloadedFile {
  bool guarded = false;    // never copied over its backup; kept aside before it is written
  bool damaged = false;    // it failed to load itself (else the chore file's failure or absence cost it)
  bool keptAside = false;  // kept aside in this run: it holds a saved library now
};

struct ChoreFileGuard {
  UnloadedFile chores;
  UnloadedFile lists;
};

struct ChoreFilesReport {
  int count = 0;  // chores plus lists read, as the start-up load counts them
  ChoreFileReport chores;
  ChoreFileReport lists;
  std::vector<DroppedStep> droppedSteps;
  ChoreFileGuard guard;
};

// One line per file that is there but could not be (wholly) used, naming
// the file and why: the markup's own error text and where it stopped.
// Start-up shows them as errors and tolvanectl prints them.
std::vector<std::u16string> choreFileProblems(const ChoreFilesReport& report);

// Paths are `folder` followed by the file name; `folder` ends with a
// separator, or is empty for the current folder.
std::u16string choreFilePath(std::u16string_view folder);
std::u16string choreListFilePath(std::u16string_view folder);

// Reads both files into the library: the chore file first; the list file
// only when the chore file could be opened and converted. A file that does
// not parse leaves its kind of record in the library as it was.
ChoreFilesReport readChoreFiles(ChoreLibrary& library, const ChoreFileServices& services,
                                std::u16string_view folder = {});

// Offers to copy the sample files when there is no chore file but a sample
// one, then reads, and writes each problem as an activity error.
// `programFolder` ends with a backslash.
ChoreFilesReport loadChoreFiles(ChoreLibrary& library, const ChoreFileServices& services, Prompts& prompts,
                                std::u16string_view programFolder);

struct ChoreFilesSaved {
  bool chores = false;
  bool lists = false;
};

// Writes both files from the library, each replaced atomically; a file that
// cannot be written is skipped and the other is still written.
ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, Files& files, const Clock& clock,
                               std::u16string_view folder = {});

// The save on close: a file the guard holds is first copied aside under
// "<file>.damaged-YYYYMMDD-HHMMSS" (".kept-" when only its chores were
// missing), named in the activity log; when that copy fails the file is
// not written.
ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, const ChoreFileServices& services, ChoreFileGuard& guard,
                               std::u16string_view folder = {});

// Copies both files to their ".backup" copies, except a file the guard
// holds; shows the warning box when a copy failed for any reason but a
// missing file.
void makeBackup(Files& files, Prompts& prompts, const ChoreFileGuard& guard, std::u16string_view folder = u".\\");

}  // namespace tolvane
