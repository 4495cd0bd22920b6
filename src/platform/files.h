#pragma once
// Whole files, as the chore files and their backups need them. Paths are
// the system's own (UTF-16); contents are raw bytes. Operations that can
// fail return 0 or the system's error code, so that the user can be told
// why (errorText).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

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

// The shell's folders that the program offers its user.
enum class ShellFolder { StartMenu, CommonStartMenu };

// One file of a replaceFiles call.
struct FileWrite {
  std::u16string path;
  std::string_view bytes;
};

// The file that could not be written and why; error 0 when all went well.
struct FileFailure {
  std::u16string path;
  std::uint32_t error = 0;

  explicit operator bool() const { return error != 0; }
};

class Files {
 public:
  virtual ~Files() = default;

  virtual bool fileExists(std::u16string_view path) const = 0;
  virtual bool folderExists(std::u16string_view path) const = 0;

  // Every byte of the file; none when it cannot be opened or read.
  virtual std::optional<std::string> readFile(std::u16string_view path) const = 0;

  // Creates or truncates the file and writes the bytes, flushed to the
  // disk. Not atomic: the chore files go through replaceFile(s).
  virtual std::uint32_t writeFile(std::u16string_view path, std::string_view bytes) = 0;

  // Renames `from` to `to` in one step, replacing `to`.
  virtual std::uint32_t moveFile(std::u16string_view from, std::u16string_view to) = 0;

  virtual std::uint32_t removeFile(std::u16string_view path) = 0;

  // Copies `from` over `to`, with its time of last writing;
  // kFileNotFoundError when `from` is missing.
  virtual std::uint32_t copyFile(std::u16string_view from, std::u16string_view to) = 0;

  // When the file was last written, in local time; none when it is not there.
  virtual std::optional<LocalTime> lastWriteTime(std::u16string_view path) const = 0;

  // The system's own words for an error code of the operations above.
  virtual std::u16string errorText(std::uint32_t code) const = 0;

  // The entries of a folder, without "." and "..", in no promised order;
  // none when the folder cannot be listed.
  virtual std::optional<std::vector<FolderEntry>> folderEntries(std::u16string_view folder) const = 0;

  // Where the shell keeps the folder for the current user (the Start Menu)
  // or for all users; empty when the system has none.
  virtual std::u16string shellFolder(ShellFolder folder) const = 0;

  // Writes the bytes to a temporary file beside `path` and then puts it in
  // the place of `path` in one step, so that a crash or a full disk leaves
  // either the old file or the new one, never a torn one; `path` is
  // untouched when it fails.
  std::uint32_t replaceFile(std::u16string_view path, std::string_view bytes);

  // Replaces every file or none: all temporary files are written first,
  // then each is put in place; when one cannot be, those already replaced
  // get their old contents back, so that files that belong together never
  // disagree on the disk.
  FileFailure replaceFiles(std::span<const FileWrite> writes);
};

// The temporary file beside `path` that a replacement writes first, and
// the copy of the old file kept until the other files of the set are in
// place.
std::u16string temporaryFileOf(std::u16string_view path);
std::u16string previousFileOf(std::u16string_view path);

}  // namespace tolvane
