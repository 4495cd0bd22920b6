#include "platform/win32/library/win32_files.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"
#include "platform/win32/system_error_text.h"

namespace tolvane::win32 {
namespace {

// Files larger than this are not chore files; reading them would only
// exhaust memory.
constexpr LONGLONG kMaxReadBytes = LONGLONG{1} << 30;

DWORD attributesOf(std::u16string_view path) { return GetFileAttributesW(toWide(path).c_str()); }

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool Win32Files::fileExists(std::u16string_view path) const {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::folderExists(std::u16string_view path) const {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32Files::readFile(std::u16string_view path) const {
  FileHandle file(CreateFileW(toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxReadBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    DWORD read = 0;
    const DWORD want = static_cast<DWORD>(bytes.size() - filled);
    if (!ReadFile(file.get(), bytes.data() + filled, want, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    filled += read;
  }
  bytes.resize(filled);
  return bytes;
}

std::uint32_t Win32Files::writeFile(std::u16string_view path, std::string_view bytes) {
  FileHandle file(CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file) return GetLastError();
  // A write that takes no byte sets no error code of its own.
  const auto failed = [] { return GetLastError() != 0 ? GetLastError() : DWORD{ERROR_WRITE_FAULT}; };
  DWORD error = 0;
  if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) error = failed();
  // Closing flushes too, and can fail on its own.
  if (!file.close() && error == 0) error = failed();
  return error;
}

std::uint32_t Win32Files::moveFile(std::u16string_view from, std::u16string_view to) {
  // One rename, on the same volume: the old file stays whole until the new
  // one takes its place.
  if (MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  return GetLastError();
}

std::uint32_t Win32Files::removeFile(std::u16string_view path) {
  return DeleteFileW(toWide(path).c_str()) ? 0 : GetLastError();
}

std::uint32_t Win32Files::copyFile(std::u16string_view from, std::u16string_view to) {
  if (CopyFileW(toWide(from).c_str(), toWide(to).c_str(), FALSE)) return 0;
  return GetLastError();
}

std::optional<LocalTime> Win32Files::lastWriteTime(std::u16string_view path) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(toWide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    return std::nullopt;
  return LocalTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                   local.wDayOfWeek, local.wMilliseconds};
}

std::u16string Win32Files::errorText(std::uint32_t code) const { return systemErrorText(code); }

std::optional<std::vector<FolderEntry>> Win32Files::folderEntries(std::u16string_view folder) const {
  std::wstring pattern = toWide(folder);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<FolderEntry> entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back({fromWide(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

std::u16string Win32Files::shellFolder(ShellFolder folder) const {
  const int id = folder == ShellFolder::StartMenu ? CSIDL_STARTMENU : CSIDL_COMMON_STARTMENU;
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return fromWide(path);
}

}  // namespace tolvane::win32
