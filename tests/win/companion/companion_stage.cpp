#include "companion_stage.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace tolvane::test {
namespace {

std::wstring ownFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

bool copyInto(const std::wstring& from, const std::wstring& folder, const std::wstring& name) {
  CreateDirectoryW(folder.c_str(), nullptr);
  return CopyFileW(from.c_str(), (folder + L"\\" + name).c_str(), FALSE) != 0;
}

}  // namespace

CompanionStage stageCompanion(const std::wstring& name) {
  const std::wstring built = ownFolder();
  CompanionStage stage;
  CreateDirectoryW(L"C:\\bhotest", nullptr);
  const std::wstring folder = L"C:\\bhotest\\" + name;
  bool ok = true;
  for (const wchar_t* file : {L"TolvaneBho.dll", L"TolvaneHost.exe", L"explorer.exe", L"iexplore.exe",
                              L"Keyrune+Host.exe", L"Keyrune+.exe"})
    ok = copyInto(built + L"\\" + file, folder, file) && ok;
  if (!ok) return stage;
  stage.folder = folder;
  stage.mainProgram = folder + L"\\TolvaneHost.exe";
  stage.explorer = folder + L"\\explorer.exe";
  stage.iexplore = folder + L"\\iexplore.exe";
  stage.keyruneHost = folder + L"\\Keyrune+Host.exe";
  stage.keyrune = folder + L"\\Keyrune+.exe";
  return stage;
}

void clearDebugLog() { DeleteFileW(L"c:\\Tallowmere-TolvaneDebug.log"); }

std::string readDebugLog() {
  std::ifstream file("c:\\Tallowmere-TolvaneDebug.log", std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

int countOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

}  // namespace tolvane::test
