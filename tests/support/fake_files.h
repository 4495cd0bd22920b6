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
  std::uint32_t writeFile(std::u16string_view path, std::string_view bytes) override;
  std::uint32_t moveFile(std::u16string_view from, std::u16string_view to) override;
  std::uint32_t removeFile(std::u16string_view path) override;
  std::uint32_t copyFile(std::u16string_view from, std::u16string_view to) override;
  std::optional<LocalTime> lastWriteTime(std::u16string_view path) const override;
  // "Reason N." for code N.
  std::u16string errorText(std::uint32_t code) const override;
  // The files and folders put directly in the folder (with or without its
  // trailing backslash; "" is the top), by name.
  std::optional<std::vector<FolderEntry>> folderEntries(std::u16string_view folder) const override;
  std::u16string shellFolder(ShellFolder folder) const override;

  // Files written from now on were last written at `time`.
  void setNow(const LocalTime& time) { now_ = time; }
  void put(std::u16string_view path, std::string bytes);
  // UTF-16LE bytes of the text, as the chore files hold it.
  void putText(std::u16string_view path, std::u16string_view text);
  void addFolder(std::u16string_view path);
  // The file or folder is hidden (or a system one) in folder listings.
  void hide(std::u16string_view path) { hidden_.emplace(path); }
  void remove(std::u16string_view path);
  std::optional<std::string> bytes(std::u16string_view path) const;
  // Every file's path, in order.
  std::vector<std::u16string> paths() const;

  void setShellFolder(ShellFolder folder, std::u16string path) { shellFolders_[folder] = std::move(path); }

  // Paths that cannot be read; that cannot be replaced (renaming onto them
  // fails, as when another program holds them open); that cannot be
  // written; whose copy (as the destination) fails. Each with the code.
  void failRead(std::u16string_view path) { unreadable_.emplace(path); }
  void failReplace(std::u16string_view path, std::uint32_t code = 5) { moveErrors_[std::u16string(path)] = code; }
  void failWrite(std::u16string_view path, std::uint32_t code) { writeErrors_[std::u16string(path)] = code; }
  void failCopyTo(std::u16string_view path, std::uint32_t code) { copyErrors_[std::u16string(path)] = code; }
  void clearFailures();

  // Files put in place by a rename: each replaced file counts once.
  int replaceCount() const { return replaceCount_; }

 private:
  struct File {
    std::string bytes;
    LocalTime written;
  };
  static std::uint32_t errorFor(const std::map<std::u16string, std::uint32_t, std::less<>>& errors,
                                std::u16string_view path);

  std::map<std::u16string, File, std::less<>> files_;
  std::set<std::u16string, std::less<>> folders_;
  std::set<std::u16string, std::less<>> hidden_;
  std::map<ShellFolder, std::u16string> shellFolders_;
  std::set<std::u16string, std::less<>> unreadable_;
  std::map<std::u16string, std::uint32_t, std::less<>> moveErrors_;
  std::map<std::u16string, std::uint32_t, std::less<>> writeErrors_;
  std::map<std::u16string, std::uint32_t, std::less<>> copyErrors_;
  LocalTime now_{2026, 1, 1};
  int replaceCount_ = 0;
};

}  // namespace tolvane::test
