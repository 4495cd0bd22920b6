#pragma once
// An in-memory file system for tests: files by exact path, folders by
// name, and failures on demand.

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace tolvane::test {

class FakeFiles : public Files {
 public:
  bool fileExists(std::u16string_view path) const override;
  bool folderExists(std::u16string_view path) const override;
  std::optional<std::string> readFile(std::u16string_view path) const override;
  bool replaceFile(std::u16string_view path, std::string_view bytes) override;
  std::uint32_t copyFile(std::u16string_view from, std::u16string_view to) override;
  // The files and folders put directly in the folder, by name.
  std::optional<std::vector<FolderEntry>> folderEntries(std::u16string_view folder) const override;

  void put(std::u16string_view path, std::string bytes);
  // UTF-16LE bytes of the text, as the chore files hold it.
  void putText(std::u16string_view path, std::u16string_view text);
  void addFolder(std::u16string_view path);
  // The file or folder is hidden (or a system one) in folder listings.
  void hide(std::u16string_view path) { hidden_.emplace(path); }
  void remove(std::u16string_view path);
  std::optional<std::string> bytes(std::u16string_view path) const;

  // Paths that cannot be read, cannot be replaced, or whose copy (as the
  // destination) fails with the given code.
  void failRead(std::u16string_view path) { unreadable_.emplace(path); }
  void failReplace(std::u16string_view path) { unwritable_.emplace(path); }
  void failCopyTo(std::u16string_view path, std::uint32_t code) { copyErrors_[std::u16string(path)] = code; }

  int replaceCount() const { return replaceCount_; }

 private:
  std::map<std::u16string, std::string, std::less<>> files_;
  std::set<std::u16string, std::less<>> folders_;
  std::set<std::u16string, std::less<>> hidden_;
  std::set<std::u16string, std::less<>> unreadable_;
  std::set<std::u16string, std::less<>> unwritable_;
  std::map<std::u16string, std::uint32_t, std::less<>> copyErrors_;
  int replaceCount_ = 0;
};

}  // namespace tolvane::test
