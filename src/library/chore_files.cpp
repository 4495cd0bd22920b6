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
    return std::nullopt;
  }
  FileText text = fromFileBytes(*bytes);
  if (!text.converted) {
    report.status = ChoreFileStatus::Unconvertible;
    services.log.debug(kConversionError);
    return std::nullopt;
  }
  return std::move(text.text);
}

}  // namespace

std::u16string choreFilePath(std::u16string_view folder) { return joined(folder, kChoreFileName); }

std::u16string choreListFilePath(std::u16string_view folder) { return joined(folder, kChoreListFileName); }

ChoreFilesReport readChoreFiles(ChoreLibrary& library, const ChoreFileServices& services, std::u16string_view folder) {
  ChoreFilesReport report;

  auto choreText = readText(services, choreFilePath(folder), report.chores);
  if (!choreText) return report;
  ParsedChores chores = parseChoreFile(std::move(*choreText));
  if (chores.parsed) {
    report.chores.status = ChoreFileStatus::Read;
    report.chores.records = static_cast<int>(chores.chores.size());
    report.count += report.chores.records;
    library.edit([&](LibraryContents& contents) { contents.chores = std::move(chores.chores); });
  } else {
    report.chores.status = ChoreFileStatus::Unparsable;
    report.chores.error = std::move(chores.error);
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
  return readChoreFiles(library, services, programFolder);
}

ChoreFilesSaved saveChoreFiles(const ChoreLibrary& library, Files& files, const Clock& clock,
                               std::u16string_view folder) {
  // The texts are built under the lock, so each file is one consistent
  // picture of the library; writing happens outside it.
  std::u16string choreText;
  std::u16string listText;
  library.read([&](const LibraryContents& contents) {
    choreText = choreFileText(contents.chores);
    listText = choreListFileText(contents.lists, clock);
  });
  ChoreFilesSaved saved;
  saved.chores = writeText(files, choreFilePath(folder), choreText);
  saved.lists = writeText(files, choreListFilePath(folder), listText);
  return saved;
}

void makeBackup(Files& files, Prompts& prompts, std::u16string_view folder) {
  const std::u16string choreFile = choreFilePath(folder);
  const std::u16string listFile = choreListFilePath(folder);
  const std::uint32_t first = files.copyFile(choreFile, choreFile + u".backup");
  const std::uint32_t second = files.copyFile(listFile, listFile + u".backup");
  // A missing chore-list file must not hide a failed copy of the chore file.
  auto isFailure = [](std::uint32_t code) { return code != 0 && code != kFileNotFoundError; };
  const std::uint32_t error = isFailure(second) ? second : first;
  if (isFailure(error))
    prompts.showError(formatText(u"Windows CopyFile error %08.8x in makeBackup. ", error), kWarningCaption);
}

}  // namespace tolvane
