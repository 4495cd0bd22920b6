// Reading a chore-file pair from any bytes: never a crash, and whatever was
// read saves and reads back as the same records. The input holds the chore
// file, then (after the marker "\n--lists--\n") the chore-list file.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "library/chore_files.h"
#include "platform/system_clock.h"

namespace {

constexpr std::string_view kMarker = "\n--lists--\n";

class MemoryFiles final : public tolvane::Files {
 public:
  bool fileExists(std::u16string_view path) const override { return files.count(std::u16string(path)) != 0; }
  bool folderExists(std::u16string_view) const override { return true; }
  std::optional<std::string> readFile(std::u16string_view path) const override {
    const auto it = files.find(std::u16string(path));
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  std::uint32_t writeFile(std::u16string_view path, std::string_view bytes) override {
    files[std::u16string(path)] = std::string(bytes);
    return 0;
  }
  std::uint32_t moveFile(std::u16string_view from, std::u16string_view to) override {
    const auto it = files.find(std::u16string(from));
    if (it == files.end()) return tolvane::kFileNotFoundError;
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[std::u16string(to)] = std::move(bytes);
    return 0;
  }
  std::uint32_t removeFile(std::u16string_view path) override {
    files.erase(std::u16string(path));
    return 0;
  }
  std::uint32_t copyFile(std::u16string_view, std::u16string_view) override { return 0; }
  std::optional<tolvane::LocalTime> lastWriteTime(std::u16string_view) const override { return std::nullopt; }
  std::u16string errorText(std::uint32_t) const override { return {}; }
  std::optional<std::vector<tolvane::FolderEntry>> folderEntries(std::u16string_view) const override {
    return std::nullopt;
  }
  std::u16string shellFolder(tolvane::ShellFolder) const override { return {}; }
  std::map<std::u16string, std::string> files;
};

class QuietLog final : public tolvane::LogSink {
 public:
  void activity(std::u16string_view, bool) override {}
  void debug(std::u16string_view) override {}
};

// The file keeps a position only for the "Position" operation, so a
// position read for any other chore does not come back.
tolvane::LibraryContents comparable(const tolvane::LibraryContents& contents) {
  tolvane::LibraryContents copy = contents;
  auto forget = [](tolvane::Chore& chore) {
    if (chore.notifyCode != tolvane::WINOP_POSITION) chore.winPos.reset();
  };
  for (auto& chore : copy.chores) forget(chore);
  for (auto& list : copy.lists)
    for (auto& step : list.steps) forget(step);
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  MemoryFiles files;
  const std::size_t split = input.find(kMarker);
  files.files[std::u16string(tolvane::kChoreFileName)] = std::string(input.substr(0, split));
  if (split != std::string_view::npos)
    files.files[std::u16string(tolvane::kChoreListFileName)] = std::string(input.substr(split + kMarker.size()));

  static const tolvane::SystemClock clock;
  QuietLog log;
  const tolvane::ChoreFileServices services{files, clock, log};
  tolvane::ChoreLibrary first;
  tolvane::readChoreFiles(first, services);

  MemoryFiles saved;
  tolvane::saveChoreFiles(first, saved, clock);
  tolvane::ChoreLibrary second;
  const tolvane::ChoreFileServices savedServices{saved, clock, log};
  const auto report = tolvane::readChoreFiles(second, savedServices);
  if (report.chores.status != tolvane::ChoreFileStatus::Read) __builtin_trap();
  if (report.lists.status != tolvane::ChoreFileStatus::Read) __builtin_trap();
  const auto a = first.read([](const tolvane::LibraryContents& c) { return comparable(c); });
  const auto b = second.read([](const tolvane::LibraryContents& c) { return comparable(c); });
  const bool same = a.chores == b.chores && a.lists == b.lists;
  if (!same) __builtin_trap();
  return 0;
}
