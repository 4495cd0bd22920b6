#pragma once
// The fixed file version of an executable or library, as the about box, the
// debug log's header and the companion's diagnostic box show it.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tolvane::win32 {

struct FileVersion {
  std::uint32_t mostSignificant = 0;   // dwFileVersionMS
  std::uint32_t leastSignificant = 0;  // dwFileVersionLS
};

// None when the file has no version resource.
std::optional<FileVersion> readFileVersion(const std::wstring& path);
std::optional<FileVersion> readModuleVersion(HMODULE module);

}  // namespace tolvane::win32
