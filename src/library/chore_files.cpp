#include "library/chore_files.h"

#include <bit>
#include <unordered_map>

#include "base/format.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kConversionError = u"xml file error converting file to string. ";

// The file's bytes are the text's UTF-16LE code units: on a little-endian
// machine that is the text's own memory, so a large library is not copied
// once more just to be written.
std::string_view fileBytes(std::u16string_view text, std::string& converted) {
  if constexpr (std::endian::native == std::endian::little) {
    return std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  } else {
    converted = toFileBytes(text);
    return converted;
  }
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

// Keeps a guarded file aside before it is first written over; the failure,
// with the activity error said, when that could not be done.
FileFailure keepAsideBeforeSaving(const ChoreFileServices& services, const std::u16string& path,
                                  UnloadedFile& file) {
  if (!file.guarded || file.keptAside) return {};
  const AsideCopy aside = copyAside(services.files, services.clock, path, file.damaged ? u"damaged" : u"kept");
  if (aside.error != 0) {
    services.log.activity(formatText(u"%s was not saved, because it could not be kept as %s first: error %08.8x.",
                                     path, aside.name, aside.error),
                          true);
    return {aside.name, aside.error};
  }
  if (!aside.name.empty())
    services.log.activity(formatText(u"Saving %s: the file as it was at start is kept as %s.", path, aside.name),
                          false);
  file.keptAside = true;
  return {};
}

}  // namespace

std::u16string choreFilePath(std::u16string_view folder) { return joined(folder, kChoreFileName); }

std::u16string choreListFilePath(std::u16string_view folder) { return joined(folder, kChoreListFileName); }

ChoreFilesReport readChoreFilePair(ChoreLibrary& library, const ChoreFileServices& services,
                                   const std::u16string& choreFile, const std::u16string& listFile) {
  ChoreFilesReport report;
  auto choreText = readText(services, choreFile, report.chores);
  if (!choreText) {
    report.lists.exists = services.files.fileExists(listFile);
    report.guard = guardOf(report);
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

  auto listText = readText(services, listFile, report.lists);
  if (!listText) {
    if (report.lists.status == ChoreFileStatus::Unconvertible) report.count = 0;
    report.guard = guardOf(report);
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
  report.guard = guardOf(report);
  return report;
}

ChoreFilesReport readChoreFiles(ChoreLibrary& library, const ChoreFileServices& services, std::u16string_view folder) {
  return readChoreFilePair(library, services, choreFilePath(folder), choreListFilePath(folder));
}

ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, Files& files, const Clock& clock,
                               std::u16string_view folder) {
  // Nothing is guarded, so nothing is kept aside and nothing logged.
  ChoreFileGuard nothingGuarded;
  SilentLogSink silent;
  return saveChoreFiles(library, ChoreFileServices{files, clock, silent}, nothingGuarded, folder);
}

namespace {

struct LibraryTexts {
  std::u16string chores;
  std::u16string lists;
};

// Built under the lock, so each file is one consistent picture of the
// library; writing happens outside it.
LibraryTexts libraryTexts(const ChoreLibrary& library, const Clock& clock) {
  LibraryTexts texts;
  library.read([&](const LibraryContents& contents) {
    texts.chores = choreFileText(contents.chores);
    texts.lists = choreListFileText(contents.lists, clock);
  });
  return texts;
}

FileFailure writePair(Files& files, const LibraryTexts& texts, const std::u16string& choreFile,
                      const std::u16string& listFile) {
  std::string choreBytes;
  std::string listBytes;
  const FileWrite pair[] = {{choreFile, fileBytes(texts.chores, choreBytes)},
                            {listFile, fileBytes(texts.lists, listBytes)}};
  return files.replaceFiles(pair);
}

}  // namespace

ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, const ChoreFileServices& services, ChoreFileGuard& guard,
                               std::u16string_view folder) {
  const LibraryTexts texts = libraryTexts(library, services.clock);
  const std::u16string choreFile = choreFilePath(folder);
  const std::u16string listFile = choreListFilePath(folder);
  ChoreFilesSaved saved;
  saved.failure = keepAsideBeforeSaving(services, choreFile, guard.chores);
  if (!saved.failure) saved.failure = keepAsideBeforeSaving(services, listFile, guard.lists);
  if (!saved.failure) saved.failure = writePair(services.files, texts, choreFile, listFile);
  saved.chores = saved.lists = !saved.failure;
  return saved;
}

FileFailure saveUnsavedCopies(const ChoreLibrary& library, const ChoreFileServices& services,
                              std::u16string_view folder) {
  const std::u16string files[] = {choreFilePath(folder), choreListFilePath(folder)};
  const std::u16string suffix = freeStampedSuffix(services.files, services.clock, files, u"unsaved");
  return writePair(services.files, libraryTexts(library, services.clock), files[0] + suffix, files[1] + suffix);
}

std::u16string freeStampedSuffix(const Files& files, const Clock& clock, std::span<const std::u16string> paths,
                                 std::u16string_view kind) {
  const LocalTime t = clock.localNow();
  const std::u16string stamped = formatText(u".%s-%04.4d%02.2d%02.2d-%02.2d%02.2d%02.2d", kind, t.year, t.month,
                                            t.day, t.hour, t.minute, t.second);
  std::u16string suffix = stamped;
  const auto taken = [&] {
    for (const std::u16string& path : paths)
      if (files.fileExists(path + suffix)) return true;
    return false;
  };
  for (int n = 2; taken(); ++n) suffix = formatText(u"%s-%d", stamped, n);
  return suffix;
}

AsideCopy copyAside(Files& files, const Clock& clock, const std::u16string& path, std::u16string_view kind) {
  const std::u16string aside = path + freeStampedSuffix(files, clock, std::span(&path, 1), kind);
  const std::uint32_t error = files.copyFile(path, aside);
  if (error == kFileNotFoundError) return {};
  return {aside, error};
}

}  // namespace tolvane
