#pragma once
// Each test stages the companion and the host executables in a fresh
// folder of its own on drive C:. The folder's path contains no
// "Tolvane", so only the main-program host is taken for the main program
// wherever the build lives, and its own copy of the library gives the
// test a shared block no earlier test has touched.

#include <string>

namespace tolvane::test {

struct CompanionStage {
  std::wstring folder;
  std::wstring mainProgram;   // TolvaneHost.exe
  std::wstring explorer;      // explorer.exe
  std::wstring iexplore;      // iexplore.exe
  std::wstring keyruneHost;   // Keyrune+Host.exe, scripted
  std::wstring keyrune;       // Keyrune+.exe, the stand-in
};

// Copies everything into C:\bhotest\<name>; empty folder on failure.
CompanionStage stageCompanion(const std::wstring& name);

// The shared debug log, emptied, and read back as text.
void clearDebugLog();
std::string readDebugLog();
int countOf(const std::string& text, const std::string& part);

}  // namespace tolvane::test
