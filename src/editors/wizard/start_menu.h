#pragma once
// The Start Menu as the wizard offers it under "Current User" and "All
// Users": popup menus built from a Start Menu folder, the files of each
// folder first and its subfolders after them as submenus. Every program
// gets a command id from one range, which bounds the menu at 512 programs.

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace tolvane {

inline constexpr int kFirstStartMenuCommand = 3584;
inline constexpr int kLastStartMenuCommand = 4095;

struct StartMenuItem {
  // A file's name without ".lnk", or a folder's name.
  std::u16string text;
  // The file's full path; empty for a submenu.
  std::u16string path;
  // kFirstStartMenuCommand... for a program, 0 for a submenu.
  int commandId = 0;
  std::vector<StartMenuItem> submenu;

  bool isSubmenu() const { return commandId == 0; }
};

using StartMenu = std::vector<StartMenuItem>;

// The menu of the folder: files (not hidden or system ones) sorted without
// regard to case, then each subfolder that holds a program somewhere below
// it, sorted the same way. Programs past the last command id are left out.
StartMenu buildStartMenu(const Files& files, std::u16string_view folder);

// The program with the command id; null when there is none.
const StartMenuItem* findStartMenuProgram(const StartMenu& menu, int commandId);

}  // namespace tolvane
