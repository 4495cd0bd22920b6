#include "shell/app/crash_reports.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "base/format.h"
#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"
#include "shell/app/crash_filter.h"

namespace tolvane::win32 {

namespace {

std::optional<FILETIME> lastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data.ftLastWriteTime;
}

// "TolvaneCrash-20240501-123456", local time.
std::wstring stampedName(const FILETIME& written) {
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  FileTimeToSystemTime(&written, &utc);
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
  return toWide(formatText(u"TolvaneCrash-%04d%02d%02d-%02d%02d%02d", local.wYear, local.wMonth, local.wDay,
                           local.wHour, local.wMinute, local.wSecond));
}

// The note is one line of ASCII.
std::u16string readNote(const std::wstring& path) {
  const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  char buffer[1024];
  DWORD read = 0;
  ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr);
  std::u16string note(buffer, buffer + read);
  while (!note.empty() && (note.back() == u'\r' || note.back() == u'\n')) note.pop_back();
  return note;
}

}  // namespace

std::optional<std::u16string> takeLastCrashReport(const std::wstring& folder) {
  const std::wstring notePath = folder + kCrashNoteName;
  const std::wstring dumpPath = folder + kCrashDumpName;
  const std::optional<FILETIME> noteTime = lastWriteTime(notePath);
  const std::optional<FILETIME> dumpTime = lastWriteTime(dumpPath);
  if (!noteTime && !dumpTime) return std::nullopt;

  const std::wstring stem = stampedName(noteTime ? *noteTime : *dumpTime);
  std::vector<std::u16string> names;
  auto keep = [&](const std::wstring& path, const wchar_t* extension, const wchar_t* unchanged) {
    const std::wstring name = stem + extension;
    // A folder that cannot be written keeps the files under their first names.
    names.push_back(fromWide(MoveFileExW(path.c_str(), (folder + name).c_str(), 0) ? name : unchanged));
  };
  const std::u16string note = noteTime ? readNote(notePath) : std::u16string();
  if (dumpTime) keep(dumpPath, L".dmp", kCrashDumpName);
  if (noteTime) keep(notePath, L".txt", kCrashNoteName);

  std::u16string files = names.front();
  if (names.size() > 1) files += u" and " + names.back();
  std::u16string line = formatText(u"A crash report from the last run is in %s: %s.", fromWide(folder), files);
  if (!note.empty()) line += u" " + note;
  return line;
}

}  // namespace tolvane::win32
