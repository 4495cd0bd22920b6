#include "controls/shell_dialogs/shell_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "platform/win32/com_apartment.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

// Room for a multiple selection of a few hundred files.
constexpr DWORD kFileBufferChars = 32768;

// The folder browser changes the current directory on some systems, and
// relative paths elsewhere in the program depend on it.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper() {
    saved_.resize(MAX_PATH);
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(saved_.size()), saved_.data());
    if (length > saved_.size()) {
      saved_.resize(length);
      length = GetCurrentDirectoryW(length, saved_.data());
    }
    saved_.resize(length);
  }
  ~CurrentDirectoryKeeper() {
    if (!saved_.empty()) SetCurrentDirectoryW(saved_.c_str());
  }
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

 private:
  std::wstring saved_;
};

// "label\0pattern\0...\0\0"
std::wstring filterText(const std::vector<FileFilter>& filters) {
  std::wstring text;
  for (const FileFilter& filter : filters) {
    text += toWide(filter.label);
    text += L'\0';
    text += toWide(filter.pattern);
    text += L'\0';
  }
  text += L'\0';
  return text;
}

// One full path, or a folder followed by the names chosen in it.
std::vector<std::u16string> chosenPaths(const std::wstring& buffer) {
  std::vector<std::wstring> parts;
  for (std::size_t at = 0; at < buffer.size() && buffer[at] != L'\0';) {
    const std::size_t end = buffer.find(L'\0', at);
    parts.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  if (parts.size() <= 1) return parts.empty() ? std::vector<std::u16string>{} : std::vector{fromWide(parts[0])};
  std::wstring folder = parts[0];
  if (folder.back() != L'\\') folder += L'\\';
  std::vector<std::u16string> paths;
  for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(fromWide(folder + parts[i]));
  return paths;
}

class SystemShellDialogs final : public ShellDialogs {
 public:
  std::vector<std::u16string> openFiles(HWND owner, const OpenFileRequest& request) override {
    CurrentDirectoryKeeper keeper;
    const std::wstring filters = filterText(request.filters);
    const std::wstring title = toWide(request.title);
    std::wstring buffer(kFileBufferChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filters.empty() ? nullptr : filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kFileBufferChars;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (request.mustExist) dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (request.severalFiles) dialog.Flags |= OFN_ALLOWMULTISELECT;
    if (!GetOpenFileNameW(&dialog)) return {};
    return chosenPaths(buffer);
  }

  std::optional<ChosenFolder> browseForFolder(HWND owner, std::u16string_view title) override {
    CurrentDirectoryKeeper keeper;
    ComApartment com;
    const std::wstring wideTitle = toWide(title);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = wideTitle.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    PIDLIST_ABSOLUTE folder = SHBrowseForFolderW(&browse);
    if (!folder) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool hasPath = SHGetPathFromIDListW(folder, path) != FALSE;
    CoTaskMemFree(folder);
    if (!hasPath) return std::nullopt;
    return ChosenFolder{fromWide(path), fromWide(displayName)};
  }
};

}  // namespace

ShellDialogs& systemShellDialogs() {
  static SystemShellDialogs dialogs;
  return dialogs;
}

}  // namespace tolvane::win32
