#pragma once
// Whole files, as the chore files and their backups need them. Paths are
// the system's own (UTF-16); contents are raw bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One entry of a folder listing.
struct FolderEntry {
  std::u16string name;
  bool isFolder = false;
  // Hidden or system entries, which lists for the user leave out.
  bool isHidden = false;

  friend bool operator==(const FolderEntry&, const FolderEntry&) = default;
};

// The platform's code for a file that is not there (ERROR_FILE_NOT_FOUND).
constexpr std::uint32_t kFileNotFoundError = 2;

class Files {
 public:
  virtual ~Files() = default;

  virtual bool fileExists(std::u16string_view path) const = 0;
  virtual bool folderExists(std::u16string_view path) const = 0;

  // Every byte of the file; none when it cannot be opened or read.
  virtual std::optional<std::string> readFile(std::u16string_view path) const = 0;

  // Writes the bytes to a temporary file beside `path` and then puts it in
  // the place of `path` in one step, so that a crash or a full disk leaves
  // either the old file or the new one, never a torn one. False when
  // anything failed; `path` is then untouched.
  virtual bool replaceFile(std::u16string_view path, std::string_view bytes) = 0;

  // Copies `from` over `to`; 0 on success, else the platform's error code
  // (kFileNotFoundError when `from` is missing).
  virtual std::uint32_t copyFile(std::u16string_view from, std::u16string_view to) = 0;

  // The entries of a folder, without "." and "..", in no promised order;
  // none when the folder cannot be listed.
  virtual std::optional<std::vector<FolderEntry>> folderEntries(std::u16string_view folder) const = 0;
};

}  // namespace tolvane
