#pragma once
// The shell's open-file dialog and folder browser, behind one small
// interface so that dialog tests can answer them without a user.
// Both keep the process's current directory as it was.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tolvane::win32 {

struct FileFilter {
  std::u16string label;    // "Programs (*.exe)"
  std::u16string pattern;  // "*.exe"
};

struct OpenFileRequest {
  std::u16string title;
  std::vector<FileFilter> filters;  // the first one is chosen
  bool severalFiles = false;
  bool mustExist = true;            // the file and its folder
};

struct ChosenFolder {
  std::u16string path;
  std::u16string displayName;  // as the shell shows it
};

class ShellDialogs {
 public:
  virtual ~ShellDialogs() = default;

  // Full paths of the chosen files; empty when cancelled.
  virtual std::vector<std::u16string> openFiles(HWND owner, const OpenFileRequest& request) = 0;

  // A file-system folder; nothing when cancelled.
  virtual std::optional<ChosenFolder> browseForFolder(HWND owner, std::u16string_view title) = 0;
};

// The real dialogs.
ShellDialogs& systemShellDialogs();

}  // namespace tolvane::win32
