#pragma once
// The chore library's two files beside the program: reading, the start-up
// load with its offers, and saving. Backups: backup_history.h; the close:
// close_save.h.

#include <span>
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
  // The chore file was missing while backups of an earlier library exist.
  bool choresMissing = false;

  // Start-up did not load the user's library: what this run saves is not
  // a backup of it (see backup_history.h).
  bool guardsRun() const { return chores.guarded || lists.guarded || choresMissing; }
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
// Why the file was not read, as those lines say it.
std::u16string whyUnread(const ChoreFileReport& report);

// Paths are `folder` followed by the file name; `folder` ends with a
// separator, or is empty for the current folder.
std::u16string choreFilePath(std::u16string_view folder);
std::u16string choreListFilePath(std::u16string_view folder);

// Reads both files into the library: the chore file first; the list file
// only when the chore file could be opened and converted. A file that does
// not parse leaves its kind of record in the library as it was.
ChoreFilesReport readChoreFiles(ChoreLibrary& library, const ChoreFileServices& services,
                                std::u16string_view folder = {});
// The same for a pair of files under other names (a backup's).
ChoreFilesReport readChoreFilePair(ChoreLibrary& library, const ChoreFileServices& services,
                                   const std::u16string& choreFile, const std::u16string& listFile);

// The start-up load, with what it may offer first: the copies a failed
// save at the end of a Windows session left; a backup, when the chore file
// is missing or cannot be read; the sample files, when there is no chore
// file, no list file and no backup. Each problem is then written as an
// activity error. `programFolder` ends with a backslash.
ChoreFilesReport loadChoreFiles(ChoreLibrary& library, const ChoreFileServices& services, Prompts& prompts,
                                std::u16string_view programFolder);

struct ChoreFilesSaved {
  bool chores = false;
  bool lists = false;
  // The file that stopped the save, and the system's reason.
  FileFailure failure;
};

// Writes both files from the library as one pair: both or neither (see
// Files::replaceFiles).
ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, Files& files, const Clock& clock,
                               std::u16string_view folder = {});

// The save on close: a file the guard holds is first copied aside under
// "<file>.damaged-YYYYMMDD-HHMMSS" (".kept-" when only its chores were
// missing), named in the activity log; when that copy fails neither file
// is written.
ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, const ChoreFileServices& services, ChoreFileGuard& guard,
                               std::u16string_view folder = {});

// Both files' texts written as "<file>.unsaved-YYYYMMDD-HHMMSS", for when
// the files themselves cannot be: the next start offers them.
FileFailure saveUnsavedCopies(const ChoreLibrary& library, const ChoreFileServices& services,
                              std::u16string_view folder);

// "<each path>.<kind>-YYYYMMDD-HHMMSS", with "-2", "-3"... added until no
// such file exists for any of the paths: the part after the paths.
std::u16string freeStampedSuffix(const Files& files, const Clock& clock, std::span<const std::u16string> paths,
                                 std::u16string_view kind);

// Copies the file aside under a free stamped name; the name, or the
// failure. A missing file is no failure: nothing needed keeping.
struct AsideCopy {
  std::u16string name;
  std::uint32_t error = 0;
};
AsideCopy copyAside(Files& files, const Clock& clock, const std::u16string& path, std::u16string_view kind);

}  // namespace tolvane
