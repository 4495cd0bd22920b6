#pragma once
// What chores need from the shell: opening things by verb, copying, moving,
// deleting and renaming files, and reading where a shortcut points.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The shell's operation codes (FO_COPY ... FO_RENAME); 0 is none.
enum class ShellFileOp : std::uint32_t { None = 0, Move = 1, Copy = 2, Delete = 3, Rename = 4 };

constexpr std::uint16_t kFileOpFilesOnly = 0x0080;        // FOF_FILESONLY
constexpr std::uint16_t kFileOpSimpleProgress = 0x0100;   // FOF_SIMPLEPROGRESS
constexpr std::uint16_t kFileOpNoConfirmation = 0x0010;   // FOF_NOCONFIRMATION
constexpr std::uint16_t kFileOpNoConfirmMkdir = 0x0200;   // FOF_NOCONFIRMMKDIR

struct ShellFileOperation {
  ShellFileOp operation = ShellFileOp::None;
  std::vector<std::u16string> sources;
  std::u16string destination;
  std::uint16_t flags = 0;
};

struct ShortcutTarget {
  enum class Status { Path, NoPath, CreateFailed, GetPathFailed };
  Status status = Status::GetPathFailed;
  std::u16string path;      // with Status::Path
  std::uint32_t code = 0;   // the platform's result code of a failure
};

class ShellActions {
 public:
  virtual ~ShellActions() = default;

  // Opens `file` with a verb ("explore", "open", "print"; empty for the
  // file's default action), owned by the main window. Returns the shell's
  // result: 32 or less is a failure and is itself the error code.
  virtual std::intptr_t execute(std::u16string_view verb, std::u16string_view file, std::u16string_view parameters,
                                std::u16string_view directory) = 0;

  // Carries out a shell file operation owned by the main window; returns 0
  // on success, otherwise the shell's error code.
  virtual int fileOperation(const ShellFileOperation& operation) = 0;

  // Resolves a shortcut (.lnk) without any user interface.
  virtual ShortcutTarget shortcutTarget(std::u16string_view shortcutPath) = 0;
};

}  // namespace tolvane
