#include "win32_common/debug_log_file.h"

#include <windows.h>

#include "win32_common/log_file.h"
#include "win32_common/wide.h"
#include "protocol/debug_log_format.h"

namespace tolvane::win32 {
namespace {

// Taken from the environment, not the shell: the companion loads into
// Explorer and imports nothing it can do without.
std::u16string localAppDataFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(), static_cast<DWORD>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(), static_cast<DWORD>(folder.size()));
  }
  if (length == 0 || length >= folder.size()) return {};
  folder.resize(length);
  return fromWide(folder);
}

void createParentFolders(const std::u16string& path) {
  for (std::size_t slash = path.find(u'\\', 3); slash != std::u16string::npos; slash = path.find(u'\\', slash + 1)) {
    CreateDirectoryW(toWide(path.substr(0, slash)).c_str(), nullptr);
  }
}

}  // namespace

DebugLogPlaces debugLogPlaces() {
  DebugLogPlaces places{protocol::kDebugLogPath, {}};
  std::u16string folder = localAppDataFolder();
  if (folder.empty()) return places;
  if (folder.back() != u'\\') folder += u'\\';
  places.perUser = folder + protocol::kPerUserDebugLogFolder + u'\\' + protocol::kDebugLogFileName;
  return places;
}

void appendDebugLogText(const DebugLogPlaces& places, std::u16string_view text) {
  const std::uint32_t error = appendLogText(places.fixed, text);
  // A file another program holds is still the one in use: the line is lost
  // rather than starting a second log.
  if (error == 0 || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return;
  if (places.perUser.empty()) return;
  if (appendLogText(places.perUser, text) != ERROR_PATH_NOT_FOUND) return;
  createParentFolders(places.perUser);
  appendLogText(places.perUser, text);
}

void deleteDebugLogFiles(const DebugLogPlaces& places) {
  DeleteFileW(toWide(places.fixed).c_str());
  if (!places.perUser.empty()) DeleteFileW(toWide(places.perUser).c_str());
}

}  // namespace tolvane::win32
