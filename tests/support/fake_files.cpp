#include "support/fake_files.h"

#include "base/format.h"
#include "library/chore_file_format.h"

namespace tolvane::test {

std::uint32_t FakeFiles::errorFor(const std::map<std::u16string, std::uint32_t, std::less<>>& errors,
                                  std::u16string_view path) {
  const auto it = errors.find(path);
  return it == errors.end() ? 0 : it->second;
}

bool FakeFiles::fileExists(std::u16string_view path) const { return files_.find(path) != files_.end(); }

bool FakeFiles::folderExists(std::u16string_view path) const { return folders_.find(path) != folders_.end(); }

std::optional<std::string> FakeFiles::readFile(std::u16string_view path) const {
  if (unreadable_.find(path) != unreadable_.end()) return std::nullopt;
  return bytes(path);
}

std::uint32_t FakeFiles::writeFile(std::u16string_view path, std::string_view bytes) {
  if (const std::uint32_t error = errorFor(writeErrors_, path)) return error;
  put(path, std::string(bytes));
  return 0;
}

std::uint32_t FakeFiles::moveFile(std::u16string_view from, std::u16string_view to) {
  if (const std::uint32_t error = errorFor(moveErrors_, to)) return error;
  const auto source = files_.find(from);
  if (source == files_.end()) return kFileNotFoundError;
  File moved = std::move(source->second);
  files_.erase(source);
  files_[std::u16string(to)] = std::move(moved);
  ++replaceCount_;
  return 0;
}

std::uint32_t FakeFiles::removeFile(std::u16string_view path) {
  const auto it = files_.find(path);
  if (it == files_.end()) return kFileNotFoundError;
  files_.erase(it);
  return 0;
}

std::uint32_t FakeFiles::copyFile(std::u16string_view from, std::u16string_view to) {
  if (const std::uint32_t error = errorFor(copyErrors_, to)) return error;
  if (unreadable_.find(from) != unreadable_.end()) return 32;
  const auto source = files_.find(from);
  if (source == files_.end()) return kFileNotFoundError;
  files_[std::u16string(to)] = source->second;
  return 0;
}

std::optional<LocalTime> FakeFiles::lastWriteTime(std::u16string_view path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second.written;
}

std::u16string FakeFiles::errorText(std::uint32_t code) const { return formatText(u"Reason %d.", code); }

std::optional<std::vector<FolderEntry>> FakeFiles::folderEntries(std::u16string_view folder) const {
  if (folder.ends_with(u'\\')) folder.remove_suffix(1);
  if (!folder.empty() && !folderExists(folder)) return std::nullopt;
  const std::u16string prefix = folder.empty() ? std::u16string() : std::u16string(folder) + u"\\";
  std::vector<FolderEntry> entries;
  const auto addChild = [&](const std::u16string& path, bool isFolder) {
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return;
    const std::u16string name = path.substr(prefix.size());
    if (name.find(u'\\') != std::u16string::npos) return;
    entries.push_back({name, isFolder, hidden_.count(path) != 0});
  };
  for (const auto& [path, file] : files_) addChild(path, false);
  for (const auto& path : folders_) addChild(path, true);
  return entries;
}

std::u16string FakeFiles::shellFolder(ShellFolder folder) const {
  const auto it = shellFolders_.find(folder);
  return it == shellFolders_.end() ? std::u16string() : it->second;
}

void FakeFiles::put(std::u16string_view path, std::string bytes) {
  files_[std::u16string(path)] = File{std::move(bytes), now_};
}

void FakeFiles::putText(std::u16string_view path, std::u16string_view text) { put(path, toFileBytes(text)); }

void FakeFiles::addFolder(std::u16string_view path) { folders_.emplace(path); }

void FakeFiles::remove(std::u16string_view path) { removeFile(path); }

std::optional<std::string> FakeFiles::bytes(std::u16string_view path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

std::vector<std::u16string> FakeFiles::paths() const {
  std::vector<std::u16string> all;
  for (const auto& [path, file] : files_) all.push_back(path);
  return all;
}

void FakeFiles::clearFailures() {
  unreadable_.clear();
  moveErrors_.clear();
  writeErrors_.clear();
  copyErrors_.clear();
}

}  // namespace tolvane::test
