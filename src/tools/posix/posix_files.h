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
  bool replaceFile(std::u16string_view path, std::string_view bytes) override;
  // Error codes are the Windows ones the callers expect: 2 for a missing
  // source, else the errno value.
  std::uint32_t copyFile(std::u16string_view from, std::u16string_view to) override;
  std::optional<std::vector<FolderEntry>> folderEntries(std::u16string_view folder) const override;
};

}  // namespace tolvane
