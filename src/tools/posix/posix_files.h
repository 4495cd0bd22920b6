#pragma once
// Files on Linux (and other POSIX systems), for tolvanectl. Paths are
// UTF-16 in the program and UTF-8 on disk.

#include "platform/files.h"

namespace tolvane {

class PosixFiles final : public Files {
 public:
  bool fileExists(std::u16string_view path) const override;
  bool folderExists(std::u16string_view path) const override;
  std::optional<std::string> readFile(std::u16string_view path) const override;
  // Error codes are errno values; 2, a missing file, is the Windows code
  // the callers expect.
  std::uint32_t writeFile(std::u16string_view path, std::string_view bytes) override;
  std::uint32_t moveFile(std::u16string_view from, std::u16string_view to) override;
  std::uint32_t removeFile(std::u16string_view path) override;
  std::uint32_t copyFile(std::u16string_view from, std::u16string_view to) override;
  std::optional<LocalTime> lastWriteTime(std::u16string_view path) const override;
  std::u16string errorText(std::uint32_t code) const override;
  std::optional<std::vector<FolderEntry>> folderEntries(std::u16string_view folder) const override;
  // Linux has no shell folders: always empty.
  std::u16string shellFolder(ShellFolder) const override { return {}; }
};

}  // namespace tolvane
