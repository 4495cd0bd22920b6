#pragma once
// Whole-file access through the Win32 file API.

#include "platform/files.h"

namespace tolvane::win32 {

class Win32Files final : public Files {
 public:
  bool fileExists(std::u16string_view path) const override;
  bool folderExists(std::u16string_view path) const override;
  std::optional<std::string> readFile(std::u16string_view path) const override;
  std::uint32_t writeFile(std::u16string_view path, std::string_view bytes) override;
  std::uint32_t moveFile(std::u16string_view from, std::u16string_view to) override;
  std::uint32_t removeFile(std::u16string_view path) override;
  std::uint32_t copyFile(std::u16string_view from, std::u16string_view to) override;
  std::optional<LocalTime> lastWriteTime(std::u16string_view path) const override;
  std::u16string errorText(std::uint32_t code) const override;
  std::optional<std::vector<FolderEntry>> folderEntries(std::u16string_view folder) const override;
  std::u16string shellFolder(ShellFolder folder) const override;
};

}  // namespace tolvane::win32
