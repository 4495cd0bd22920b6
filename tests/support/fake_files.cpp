#include "support/fake_files.h"

#include "library/chore_file_format.h"

namespace tolvane::test {

bool FakeFiles::fileExists(std::u16string_view path) const { return files_.find(path) != files_.end(); }

bool FakeFiles::folderExists(std::u16string_view path) const { return folders_.find(path) != folders_.end(); }

std::optional<std::string> FakeFiles::readFile(std::u16string_view path) const {
  if (unreadable_.find(path) != unreadable_.end()) return std::nullopt;
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

bool FakeFiles::replaceFile(std::u16string_view path, std::string_view bytes) {
  if (unwritable_.find(path) != unwritable_.end()) return false;
  files_[std::u16string(path)] = std::string(bytes);
  ++replaceCount_;
  return true;
}

std::uint32_t FakeFiles::copyFile(std::u16string_view from, std::u16string_view to) {
  const auto error = copyErrors_.find(to);
  if (error != copyErrors_.end()) return error->second;
  const auto source = files_.find(from);
  if (source == files_.end()) return kFileNotFoundError;
  files_[std::u16string(to)] = source->second;
  return 0;
}

std::optional<std::vector<FolderEntry>> FakeFiles::folderEntries(std::u16string_view folder) const {
  if (!folderExists(folder)) return std::nullopt;
  const std::u16string prefix = std::u16string(folder) + u"\\";
  std::vector<FolderEntry> entries;
  const auto addChild = [&](const std::u16string& path, bool isFolder) {
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return;
    const std::u16string name = path.substr(prefix.size());
    if (name.find(u'\\') != std::u16string::npos) return;
    entries.push_back({name, isFolder, hidden_.count(path) != 0});
  };
  for (const auto& [path, bytes] : files_) addChild(path, false);
  for (const auto& path : folders_) addChild(path, true);
  return entries;
}

void FakeFiles::put(std::u16string_view path, std::string bytes) { files_[std::u16string(path)] = std::move(bytes); }

void FakeFiles::putText(std::u16string_view path, std::u16string_view text) { put(path, toFileBytes(text)); }

void FakeFiles::addFolder(std::u16string_view path) { folders_.emplace(path); }

void FakeFiles::remove(std::u16string_view path) {
  const auto it = files_.find(path);
  if (it != files_.end()) files_.erase(it);
}

std::optional<std::string> FakeFiles::bytes(std::u16string_view path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

}  // namespace tolvane::test
