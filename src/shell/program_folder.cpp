#include "shell/program_folder.h"

#include <windows.h>

namespace tolvane::win32 {

std::wstring moduleFolder() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  if (const std::size_t cut = path.rfind(L"Tolvane.exe"); cut != std::wstring::npos) return path.substr(0, cut);
  if (const std::size_t slash = path.find_last_of(L"\\/"); slash != std::wstring::npos) return path.substr(0, slash + 1);
  return {};
}

std::wstring programFolder() {
  std::wstring folder = moduleFolder();
  if (!folder.empty()) return folder;
  std::wstring current(32768, L'\0');
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
  current.resize(length < current.size() ? length : 0);
  if (!current.empty() && current.back() != L'\\') current += L'\\';
  return current;
}

}  // namespace tolvane::win32
