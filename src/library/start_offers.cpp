// The start-up load and what it offers before it: the copies a failed save
// left when the Windows session ended, a backup in place of a chore file
// that is missing or cannot be read, and the sample files on a first
// start. Whatever an offer puts in place of the chore files, it keeps the
// files it replaces aside first.

#include <algorithm>

#include "base/format.h"
#include "library/backup_history.h"
#include "library/chore_files.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kCaption = u"Tolvane";
constexpr std::u16string_view kSampleQuestion =
    u"No chore file was found.\nWould you like to copy and use the sample files to start?\n\n"
    u"You should review the sample chores and chore lists\nand modify them to suit your needs before using them.\n"
    u"You can also use the built-in wizard to create your own.";
constexpr std::u16string_view kUnsavedKind = u".unsaved-";

std::u16string dateText(const LocalTime& t) {
  static constexpr std::u16string_view kMonths[] = {u"January", u"February", u"March",     u"April",
                                                    u"May",     u"June",     u"July",      u"August",
                                                    u"September", u"October", u"November", u"December"};
  const std::u16string_view month = kMonths[std::clamp(t.month, 1, 12) - 1];
  return formatText(u"%d %s %d at %02.2d:%02.2d", t.day, month, t.year, t.hour, t.minute);
}

std::u16string countText(int count, std::u16string_view what) {
  return formatText(u"%d %s%s", count, what, count == 1 ? u"" : u"s");
}

std::u16string baseName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

class StartOffers {
 public:
  StartOffers(const ChoreFileServices& services, Prompts& prompts, std::u16string_view folder)
      : s_(services),
        prompts_(prompts),
        folder_(folder),
        choreFile_(choreFilePath(folder)),
        listFile_(choreListFilePath(folder)) {}

  // The newest pair of "<file>.unsaved-..." copies, offered in place of
  // the chore files; declined, they are kept aside as ".kept-" copies so
  // that the question is not asked at every start.
  void offerUnsavedCopies() {
    const std::optional<std::u16string> suffix = newestUnsavedSuffix();
    if (!suffix) return;
    const std::u16string chores = choreFile_ + *suffix;
    const std::u16string lists = listFile_ + *suffix;
    const LocalTime written = s_.files.lastWriteTime(chores).value_or(LocalTime{});
    const std::u16string question = formatText(
        u"When Windows ended on %s, Tolvane could not save your chores and wrote them to\n%s\n%s\n\n"
        u"Do you want to load them now?\nYes: they take the place of your chore files, which are kept aside.\n"
        u"No: they are kept aside, and your chore files stay as they are.",
        dateText(written), baseName(chores), baseName(lists));
    if (prompts_.askYesNo(question, kCaption)) {
      if (!install(chores, lists, u"kept")) return;
      s_.files.removeFile(chores);
      s_.files.removeFile(lists);
      s_.log.activity(formatText(u"The chores not saved when Windows ended on %s are loaded.", dateText(written)),
                      false);
      return;
    }
    const std::u16string bases[] = {choreFile_, listFile_};
    const std::u16string kept = freeStampedSuffix(s_.files, s_.clock, bases, u"kept");
    s_.files.moveFile(chores, choreFile_ + kept);
    s_.files.moveFile(lists, listFile_ + kept);
    s_.log.activity(formatText(u"The chores not saved when Windows ended are kept as %s and %s.",
                               baseName(choreFile_ + kept), baseName(listFile_ + kept)),
                    false);
  }

  // Only into an empty folder: the samples never take a file's place.
  void offerSampleFiles() {
    const Files& files = s_.files;
    if (files.fileExists(choreFile_) || files.fileExists(listFile_) || !backupEntries(files, folder_).empty()) return;
    const std::u16string sampleFolder = formatText(u"%ssample\\", folder_);
    const std::u16string sampleChores = choreFilePath(sampleFolder);
    if (!files.fileExists(sampleChores) || !prompts_.askYesNo(kSampleQuestion, kCaption)) return;
    s_.files.copyFile(sampleChores, choreFile_);
    s_.files.copyFile(choreListFilePath(sampleFolder), listFile_);
  }

  // True when the backup was put in place of the files.
  bool offerBackup(const ChoreFileReport& chores) {
    const std::optional<BackupOffer> backup = newestReadableBackup(s_, folder_);
    if (!backup) return false;
    const std::u16string problem = chores.exists
                                       ? formatText(u"%s could not be read: %s.", kChoreFileName, whyUnread(chores))
                                       : formatText(u"%s is missing.", kChoreFileName);
    const bool replaces = chores.exists || s_.files.fileExists(listFile_);
    const std::u16string question =
        formatText(u"%s\n\nThe newest backup of your chores was saved on %s and holds %s and %s.\n"
                   u"Do you want to load it?%s",
                   problem, dateText(backup->savedAt), countText(backup->chores, u"chore"),
                   countText(backup->lists, u"chore list"),
                   replaces ? u"\nThe files it replaces are kept aside." : u"");
    if (!prompts_.askYesNo(question, kCaption)) return false;
    if (!install(backup->entry.choreFile, backup->entry.listFile, chores.exists ? u"damaged" : u"kept")) return false;
    s_.log.activity(formatText(u"The backup saved on %s is loaded: %s and %s.", dateText(backup->savedAt),
                               countText(backup->chores, u"chore"), countText(backup->lists, u"chore list")),
                    false);
    return true;
  }

 private:
  std::optional<std::u16string> newestUnsavedSuffix() const {
    std::optional<std::u16string> newest;
    const std::u16string prefix = std::u16string(kChoreFileName) + std::u16string(kUnsavedKind);
    for (const FolderEntry& found : s_.files.folderEntries(folder_).value_or(std::vector<FolderEntry>{})) {
      if (found.isFolder || !found.name.starts_with(prefix)) continue;
      std::u16string suffix = found.name.substr(kChoreFileName.size());
      if (!newest || suffix > *newest) newest = std::move(suffix);
    }
    return newest;
  }

  // Puts the pair in place of the chore files (an empty list file when the
  // pair has none), after keeping aside those it replaces: the chore file
  // as `choreKind`, the list file as "kept". False, said in the activity
  // log, when any of it failed; the chore files are then as they were.
  bool install(const std::u16string& choreSource, const std::u16string& listSource, std::u16string_view choreKind) {
    const std::optional<std::string> chores = s_.files.readFile(choreSource);
    if (!chores) {
      s_.log.activity(formatText(u"%s could not be read, so it was not loaded.", choreSource), true);
      return false;
    }
    const std::string lists =
        s_.files.readFile(listSource).value_or(toFileBytes(choreListFileText({}, s_.clock)));
    using Aside = std::pair<const std::u16string*, std::u16string_view>;
    for (const auto& [path, kind] : {Aside{&choreFile_, choreKind}, Aside{&listFile_, u"kept"}}) {
      const AsideCopy aside = copyAside(s_.files, s_.clock, *path, kind);
      if (aside.error != 0) return failed(aside.name, aside.error);
      if (!aside.name.empty()) s_.log.activity(formatText(u"%s is kept as %s.", *path, aside.name), false);
    }
    const FileWrite pair[] = {{choreFile_, *chores}, {listFile_, lists}};
    const FileFailure failure = s_.files.replaceFiles(pair);
    return !failure || failed(failure.path, failure.error);
  }

  bool failed(const std::u16string& path, std::uint32_t error) {
    s_.log.activity(formatText(u"%s could not be written, so the chore files stay as they were: %s (error %08.8x)",
                               path, s_.files.errorText(error), error),
                    true);
    return false;
  }

  const ChoreFileServices& s_;
  Prompts& prompts_;
  std::u16string_view folder_;
  const std::u16string choreFile_;
  const std::u16string listFile_;
};

}  // namespace

ChoreFilesReport loadChoreFiles(ChoreLibrary& library, const ChoreFileServices& services, Prompts& prompts,
                                std::u16string_view programFolder) {
  StartOffers offers(services, prompts, programFolder);
  offers.offerUnsavedCopies();
  offers.offerSampleFiles();
  ChoreFilesReport report = readChoreFiles(library, services, programFolder);
  if (report.chores.status != ChoreFileStatus::Read) {
    if (offers.offerBackup(report.chores)) {
      report = readChoreFiles(library, services, programFolder);
    } else {
      report.guard.choresMissing = !report.chores.exists && !backupEntries(services.files, programFolder).empty();
    }
  }
  for (const std::u16string& problem : choreFileProblems(report)) services.log.activity(problem, true);
  return report;
}

}  // namespace tolvane
