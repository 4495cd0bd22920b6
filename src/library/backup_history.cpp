#include "library/backup_history.h"

#include <algorithm>
#include <map>

#include "base/format.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kWarningCaption = u"Tolvane Warning!";
constexpr std::u16string_view kPinned = u"-pinned";

bool allDigits(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

struct EntryName {
  int sequence = 0;
  bool pinned = false;
};

// "NNNN-YYYYMMDD-HHMMSS" with "-pinned" or not: what follows ".backup-".
std::optional<EntryName> parseEntryName(std::u16string_view rest) {
  EntryName name;
  if (rest.ends_with(kPinned)) {
    name.pinned = true;
    rest.remove_suffix(kPinned.size());
  }
  const std::size_t dash = rest.find(u'-');
  if (dash == std::u16string_view::npos || dash > 9) return std::nullopt;
  const std::u16string_view sequence = rest.substr(0, dash);
  const std::u16string_view stamp = rest.substr(dash + 1);
  if (!allDigits(sequence) || stamp.size() != 15 || stamp[8] != u'-' || !allDigits(stamp.substr(0, 8)) ||
      !allDigits(stamp.substr(9)))
    return std::nullopt;
  for (const char16_t digit : sequence) name.sequence = name.sequence * 10 + (digit - u'0');
  if (name.sequence == 0) return std::nullopt;
  return name;
}

std::u16string entrySuffix(int sequence, const LocalTime& t, bool pinned) {
  return formatText(u".backup-%04.4d-%04.4d%02.2d%02.2d-%02.2d%02.2d%02.2d%s", sequence, t.year, t.month, t.day,
                    t.hour, t.minute, t.second, pinned ? kPinned : u"");
}

std::u16string legacyBackupOf(const std::u16string& path) { return path + u".backup"; }

// The name of an entry's other file, from the one that is there.
std::u16string partnerOf(const std::u16string& found, std::u16string_view foundBase, std::u16string_view otherBase,
                         std::u16string_view folder) {
  return std::u16string(folder) + std::u16string(otherBase) +
         found.substr(folder.size() + foundBase.size());
}

struct Warnings {
  Prompts& prompts;
  bool shown = false;

  // The copies go on after a failure; the user hears of the first.
  void copyFailed(std::uint32_t error) {
    if (error == 0 || error == kFileNotFoundError || shown) return;
    shown = true;
    prompts.showWarning(formatText(u"Windows CopyFile error %08.8x in makeBackup. ", error), kWarningCaption);
  }
};

// Copies the two files into a new entry, both or neither; a missing list
// file leaves the entry without one.
std::uint32_t addEntry(Files& files, std::u16string_view folder, int sequence, const LocalTime& stamp,
                       const std::u16string& choreSource, const std::u16string& listSource, bool pinned) {
  const std::u16string suffix = entrySuffix(sequence, stamp, pinned);
  const std::u16string choreCopy = choreFilePath(folder) + suffix;
  const std::u16string listCopy = choreListFilePath(folder) + suffix;
  std::uint32_t error = files.copyFile(choreSource, choreCopy);
  if (error == 0) {
    error = files.copyFile(listSource, listCopy);
    if (error == kFileNotFoundError) return 0;
  }
  if (error != 0) {
    files.removeFile(choreCopy);
    files.removeFile(listCopy);
  }
  return error;
}

// The ".backup" pair of an earlier version becomes the first entry, kept
// before ".backup" takes another pair.
std::uint32_t adoptEarlierBackup(Files& files, const Clock& clock, std::u16string_view folder,
                                 const BackupEntry& earlier, bool pinned) {
  const LocalTime stamp = files.lastWriteTime(earlier.choreFile).value_or(clock.localNow());
  return addEntry(files, folder, 1, stamp, earlier.choreFile, earlier.listFile, pinned);
}

void pin(Files& files, const Clock& clock, std::u16string_view folder, const BackupEntry& newest,
         Warnings& warnings) {
  if (newest.pinned) return;
  if (newest.sequence == 0) {
    warnings.copyFailed(adoptEarlierBackup(files, clock, folder, newest, true));
    return;
  }
  for (const std::u16string* file : {&newest.choreFile, &newest.listFile}) {
    if (files.fileExists(*file)) files.moveFile(*file, *file + std::u16string(kPinned));
  }
}

bool holdsBytes(const Files& files, const std::u16string& path, const std::optional<std::string>& bytes) {
  return files.readFile(path) == bytes;
}

void prune(Files& files, std::u16string_view folder) {
  const std::vector<BackupEntry> entries = backupEntries(files, folder);
  for (std::size_t i = kBackupHistoryKept; i < entries.size(); ++i) {
    if (entries[i].pinned) continue;
    files.removeFile(entries[i].choreFile);
    files.removeFile(entries[i].listFile);
  }
}

}  // namespace

std::vector<BackupEntry> backupEntries(const Files& files, std::u16string_view folder) {
  const std::u16string choreFile = choreFilePath(folder);
  const std::u16string listFile = choreListFilePath(folder);
  std::map<int, BackupEntry, std::greater<>> bySequence;
  for (const FolderEntry& found : files.folderEntries(folder).value_or(std::vector<FolderEntry>{})) {
    if (found.isFolder) continue;
    for (const std::u16string_view base : {kChoreFileName, kChoreListFileName}) {
      const std::u16string prefix = std::u16string(base) + u".backup-";
      if (!found.name.starts_with(prefix)) continue;
      const std::optional<EntryName> name = parseEntryName(std::u16string_view(found.name).substr(prefix.size()));
      if (!name) continue;
      BackupEntry& entry = bySequence[name->sequence];
      entry.sequence = name->sequence;
      entry.pinned = entry.pinned || name->pinned;
      (base == kChoreFileName ? entry.choreFile : entry.listFile) = std::u16string(folder) + found.name;
    }
  }
  std::vector<BackupEntry> entries;
  for (auto& [sequence, entry] : bySequence) {
    if (entry.choreFile.empty()) entry.choreFile = partnerOf(entry.listFile, kChoreListFileName, kChoreFileName, folder);
    if (entry.listFile.empty()) entry.listFile = partnerOf(entry.choreFile, kChoreFileName, kChoreListFileName, folder);
    entries.push_back(std::move(entry));
  }
  if (entries.empty() &&
      (files.fileExists(legacyBackupOf(choreFile)) || files.fileExists(legacyBackupOf(listFile)))) {
    entries.push_back({0, false, legacyBackupOf(choreFile), legacyBackupOf(listFile)});
  }
  return entries;
}

std::optional<BackupOffer> newestReadableBackup(const ChoreFileServices& services, std::u16string_view folder) {
  SilentLogSink silent;
  const ChoreFileServices quiet{services.files, services.clock, silent};
  for (const BackupEntry& entry : backupEntries(services.files, folder)) {
    ChoreLibrary scratch;
    const ChoreFilesReport read = readChoreFilePair(scratch, quiet, entry.choreFile, entry.listFile);
    const bool listsRead = read.lists.status == ChoreFileStatus::Read ||
                           (read.lists.status == ChoreFileStatus::Missing && !read.lists.exists);
    if (read.chores.status != ChoreFileStatus::Read || !listsRead) continue;
    return BackupOffer{entry, services.files.lastWriteTime(entry.choreFile).value_or(LocalTime{}),
                       read.chores.records, read.lists.records};
  }
  return std::nullopt;
}

void backUpOnClose(Files& files, Prompts& prompts, const Clock& clock, const CloseBackup& close,
                   std::u16string_view folder) {
  Warnings warnings{prompts};
  const std::vector<BackupEntry> entries = backupEntries(files, folder);
  const BackupEntry* newest = entries.empty() ? nullptr : &entries.front();
  if (close.guardedRun) {
    if (close.saved && newest) pin(files, clock, folder, *newest, warnings);
    return;
  }
  // A pinned newest entry: the files are still those a guarded run wrote.
  if (newest && newest->pinned && !close.saved) return;

  const std::u16string choreFile = choreFilePath(folder);
  const std::u16string listFile = choreListFilePath(folder);
  const std::optional<std::string> chores = files.readFile(choreFile);
  if (!chores) return;
  const std::optional<std::string> lists = files.readFile(listFile);
  if (newest && holdsBytes(files, newest->choreFile, chores) && holdsBytes(files, newest->listFile, lists)) return;

  int sequence = entries.empty() ? 1 : entries.front().sequence + 1;
  if (newest && newest->sequence == 0) {
    const std::uint32_t error = adoptEarlierBackup(files, clock, folder, *newest, false);
    warnings.copyFailed(error);
    if (error != 0 && error != kFileNotFoundError) return;
    if (error == 0) sequence = 2;
  }
  const std::uint32_t error = addEntry(files, folder, sequence, clock.localNow(), choreFile, listFile, false);
  warnings.copyFailed(error);
  if (error != 0) return;
  warnings.copyFailed(files.copyFile(choreFile, legacyBackupOf(choreFile)));
  if (lists) {
    warnings.copyFailed(files.copyFile(listFile, legacyBackupOf(listFile)));
  } else {
    // A list backup of another close would make a pair that never was.
    files.removeFile(legacyBackupOf(listFile));
  }
  prune(files, folder);
}

}  // namespace tolvane
