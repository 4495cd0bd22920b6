#pragma once
// The backups of the two chore files: a history of pairs, each the two
// files as they were at one close, beside them as
// "<file>.backup-NNNN-YYYYMMDD-HHMMSS" (NNNN counts up, so that a clock
// set back cannot make the newest look old), "-pinned" added to an entry
// that is never pruned. "<file>.backup" stays a copy of the newest pair,
// as it always was; before there is a history, it is the only entry.
//
// A close adds an entry when either file differs byte for byte from the
// newest one, then keeps the newest kBackupHistoryKept entries and every
// pinned one. A run whose start could not load the user's library (a file
// missing, damaged or unreadable) adds nothing: when it writes the files,
// it pins the newest entry, the last copy of that library, and the files
// it wrote become an entry only once a later run saves them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/chore_files.h"

namespace tolvane {

inline constexpr int kBackupHistoryKept = 10;

struct BackupEntry {
  int sequence = 0;  // 0: the ".backup" pair alone, from before there was a history
  bool pinned = false;
  // Paths; a file the entry lacks is named all the same, and is missing.
  std::u16string choreFile;
  std::u16string listFile;
};

// Newest first, by sequence number.
std::vector<BackupEntry> backupEntries(const Files& files, std::u16string_view folder);

struct BackupOffer {
  BackupEntry entry;
  LocalTime savedAt;  // when its chore file was written
  int chores = 0;
  int lists = 0;
};

// The newest entry whose files both read (an entry without a list file
// reads as one without lists); none when no entry does.
std::optional<BackupOffer> newestReadableBackup(const ChoreFileServices& services, std::u16string_view folder);

struct CloseBackup {
  bool guardedRun = false;  // ChoreFileGuard::guardsRun
  bool saved = false;       // this close wrote the chore files
};

// The backups at close. A copy that fails for any reason but a missing
// file shows "Windows CopyFile error %08.8x in makeBackup. ".
void backUpOnClose(Files& files, Prompts& prompts, const Clock& clock, const CloseBackup& close,
                   std::u16string_view folder);

}  // namespace tolvane
