#include "library/chore_files.h"

#include <bit>
#include <unordered_map>

#include "base/format.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kCaption = u"Tolvane";
constexpr std::u16string_view kWarningCaption = u"Tolvane Warning!";
constexpr std::u16string_view kSampleQuestion =
    u"No chore file was found.\nWould you like to copy and use the sample files to start?\n\n"
    u"You should review the sample chores and chore lists\nand modify them to suit your needs before using them.\n"
    u"You can also use the built-in wizard to create your own.";
constexpr std::u16string_view kConversionError = u"xml file error converting file to string. ";

// The file's bytes are the text's UTF-16LE code units: on a little-endian
// machine that is the text's own memory, so a large library is not copied
// once more just to be written.
bool writeText(Files& files, const std::u16string& path, std::u16string_view text) {
  if constexpr (std::endian::native == std::endian::little)
    return files.replaceFile(path, std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * 2));
  else
    return files.replaceFile(path, toFileBytes(text));
}

std::u16string joined(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  path += name;
  return path;
}

// Fills `report` with the file's text, or says why there is none.
std::optional<std::u16string> readText(const ChoreFileServices& services, const std::u16string& path,
                                       ChoreFileReport& report) {
  const auto bytes = services.files.readFile(path);
  if (!bytes) {
    report.status = ChoreFileStatus::Missing;
    report.exists = services.files.fileExists(path);
    return std::nullopt;
  }
  report.exists = true;
  FileText text = fromFileBytes(*bytes);
  if (!text.converted) {
    report.status = ChoreFileStatus::Unconvertible;
    services.log.debug(kConversionError);
    return std::nullopt;
  }
  return std::move(text.text);
}

UnloadedFile unloaded(const ChoreFileReport& report) {
  const bool guarded = report.exists && report.status != ChoreFileStatus::Read;
  return {guarded, guarded && report.status != ChoreFileStatus::NotRead, false};
}

// A list file that loaded is guarded too when the chore file did not: its
// steps were dropped only for want of their chores.
ChoreFileGuard guardOf(const ChoreFilesReport& report) {
  ChoreFileGuard guard{unloaded(report.chores), unloaded(report.lists)};
  if (guard.chores.guarded && report.lists.exists) guard.lists.guarded = true;
  return guard;
}

std::u16string keptAsideName(const std::u16string& path, const UnloadedFile& file, const Clock& clock) {
  const LocalTime t = clock.localNow();
  return formatText(u"%s.%s-%04.4d%02.2d%02.2d-%02.2d%02.2d%02.2d", path, file.damaged ? u"damaged" : u"kept", t.year,
                    t.month, t.day, t.hour, t.minute, t.second);
}

// Copies the file aside under a name no other file has; false, with the
// activity error said, when the copy failed.
bool keepAside(const ChoreFileServices& services, const std::u16string& path, UnloadedFile& file) {
  const std::u16string stamped = keptAsideName(path, file, services.clock);
  std::u16string aside = stamped;
  for (int n = 2; services.files.fileExists(aside); ++n) aside = formatText(u"%s-%d", stamped, n);
  const std::uint32_t error = services.files.copyFile(path, aside);
  if (error != 0 && error != kFileNotFoundError) {
    services.log.activity(
        formatText(u"%s was not saved, because it could not be kept as %s first: error %08.8x.", path, aside, error),
        true);
    return false;
  }
  if (error == 0) {
    services.log.activity(formatText(u"Saving %s: the file as it was at start is kept as %s.", path, aside), false);
  }
  file.keptAside = true;
  return true;
}

ChoreFilesReport readBothFiles(ChoreLibrary& library, const ChoreFileServices& services, std::u16string_view folder) {
  ChoreFilesReport report;
  auto choreText = readText(services, choreFilePath(folder), report.chores);
  if (!choreText) {
    report.lists.exists = services.files.fileExists(choreListFilePath(folder));
    return report;
  }
  ParsedChores chores = parseChoreFile(std::move(*choreText));
  if (chores.parsed) {
    report.chores.status = ChoreFileStatus::Read;
    report.chores.records = static_cast<int>(chores.chores.size());
    report.count += report.chores.records;
    library.edit([&](LibraryContents& contents) { contents.chores = std::move(chores.chores); });
  } else {
    report.chores.status = ChoreFileStatus::Unparsable;
    report.chores.error = std::move(chores.error);
    report.chores.errorAt = chores.errorAt;
  }

  auto listText = readText(services, choreListFilePath(folder), report.lists);
  if (!listText) {
    if (report.lists.status == ChoreFileStatus::Unconvertible) report.count = 0;
    return report;
  }
  library.edit([&](LibraryContents& contents) {
    // Steps are built from the chores just read; the first chore of a name wins.
    std::unordered_map<std::u16string_view, const Chore*> byName;
    byName.reserve(contents.chores.size());
    for (const auto& chore : contents.chores) byName.emplace(chore.name, &chore);
    const ChoreLookup lookup = [&](std::u16string_view name) -> const Chore* {
      const auto it = byName.find(name);
      return it == byName.end() ? nullptr : it->second;
    };
    ParsedChoreLists lists = parseChoreListFile(std::move(*listText), lookup, services.clock);
    if (!lists.parsed) {
      report.lists.status = ChoreFileStatus::Unparsable;
      report.lists.error = std::move(lists.error);
      report.lists.errorAt = lists.errorAt;
      return;
    }
    report.lists.status = ChoreFileStatus::Read;
    report.lists.records = static_cast<int>(lists.lists.size());
    report.count += report.lists.records;
    report.droppedSteps = std::move(lists.droppedSteps);
    contents.lists = std::move(lists.lists);
  });
  return report;
}

}  // namespace

std::u16string choreFilePath(std::u16string_view folder) { return joined(folder, kChoreFileName); }

std::u16string choreListFilePath(std::u16string_view folder) { return joined(folder, kChoreListFileName); }

ChoreFilesReport readChoreFiles(ChoreLibrary& library, const ChoreFileServices& services, std::u16string_view folder) {
  ChoreFilesReport report = readBothFiles(library, services, folder);
  report.guard = guardOf(report);
  return report;
}

ChoreFilesReport loadChoreFiles(ChoreLibrary& library, const ChoreFileServices& services, Prompts& prompts,
                                std::u16string_view programFolder) {
  Files& files = services.files;
  const std::u16string choreFile = choreFilePath(programFolder);
  if (!files.fileExists(choreFile)) {
    const std::u16string sampleFolder = formatText(u"%ssample\\", programFolder);
    const std::u16string sampleChores = choreFilePath(sampleFolder);
    if (files.fileExists(sampleChores) && prompts.askYesNo(kSampleQuestion, kCaption)) {
      files.copyFile(sampleChores, choreFile);
      files.copyFile(choreListFilePath(sampleFolder), choreListFilePath(programFolder));
    }
  }
  ChoreFilesReport report = readChoreFiles(library, services, programFolder);
  for (const std::u16string& problem : choreFileProblems(report)) services.log.activity(problem, true);
  return report;
}

ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, Files& files, const Clock& clock,
                               std::u16string_view folder) {
  // Nothing is guarded, so nothing is kept aside and nothing logged.
  ChoreFileGuard nothingGuarded;
  SilentLogSink silent;
  return saveChoreFiles(library, ChoreFileServices{files, clock, silent}, nothingGuarded, folder);
}

ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, const ChoreFileServices& services, ChoreFileGuard& guard,
                               std::u16string_view folder) {
  // The texts are built under the lock, so each file is one consistent
  // picture of the library; writing happens outside it.
  std::u16string choreText;
  std::u16string listText;
  library.read([&](const LibraryContents& contents) {
    choreText = choreFileText(contents.chores);
    listText = choreListFileText(contents.lists, services.clock);
  });
  const auto save = [&](const std::u16string& path, std::u16string_view text, UnloadedFile& file) {
    if (file.guarded && !file.keptAside && !keepAside(services, path, file)) return false;
    return writeText(services.files, path, text);
  };
  ChoreFilesSaved saved;
  saved.chores = save(choreFilePath(folder), choreText, guard.chores);
  saved.lists = save(choreListFilePath(folder), listText, guard.lists);
  return saved;
}

void makeBackup(Files& files, Prompts& prompts, const ChoreFileGuard& guard, std::u16string_view folder) {
  const auto backUp = [&](const std::u16string& path, const UnloadedFile& file) -> std::uint32_t {
    return file.guarded ? 0 : files.copyFile(path, path + u".backup");
  };
  const std::uint32_t first = backUp(choreFilePath(folder), guard.chores);
  const std::uint32_t second = backUp(choreListFilePath(folder), guard.lists);
  // A missing chore-list file must not hide a failed copy of the chore file.
  auto isFailure = [](std::uint32_t code) { return code != 0 && code != kFileNotFoundError; };
  const std::uint32_t error = isFailure(second) ? second : first;
  if (isFailure(error))
    prompts.showWarning(formatText(u"Windows CopyFile error %08.8x in makeBackup. ", error), kWarningCaption);
}

}  // namespace tolvane
