#pragma once
// The main window's parts, lent to its commands. Each *_commands.cpp adds
// its own rows to the command table from free functions over these, so a
// new command touches its *_commands.cpp, resource.h and the menu
// resource, and nothing of the window itself.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "shell/core/tolvane_core.h"
#include "shell/main_window/chore_store.h"
#include "shell/main_window/chore_tree.h"
#include "shell/main_window/command_table.h"
#include "shell/main_window/tree_edits.h"

namespace tolvane::win32 {

struct MainParts {
  // Null until the window exists; no command runs before.
  HWND window;
  HINSTANCE instance;
  TolvaneCore& core;
  ChoreTree& tree;
  ChoreStore& store;
  TreeEdits& treeEdits;
  // The window's one way to end, whoever asks (CTolvaneDlg::exitSequence).
  std::function<void()> exit;
  // A second About from the tray while the box shows is ignored.
  bool aboutOpen = false;
};

// Each room's rows, added in this order.
void addMainCommands(CommandTable& commands, MainParts& parts);
void addChoreCommands(CommandTable& commands, MainParts& parts);
void addListCommands(CommandTable& commands, MainParts& parts);
void addViewCommands(CommandTable& commands, MainParts& parts);

// What more than one room asks.
// While any dialog or message box of the window is up the window is
// disabled; a second one from the tray would stack on it.
bool canOpenDialog(const MainParts& parts);
bool isSelectedListRunning(const MainParts& parts);
// The editors of the selection (chore_commands.cpp, list_commands.cpp),
// which the toolbar's Edit opens as well.
bool canEditSelectedChore(const MainParts& parts);
void editSelectedChore(MainParts& parts);
bool canEditSelectedList(const MainParts& parts);
void editSelectedList(MainParts& parts);
// The settings' "always on top", at start-up and after Options' OK
// (view_commands.cpp).
void applyAlwaysOnTop(const MainParts& parts);
void applyTreeColor(const MainParts& parts, std::uint32_t color);

}  // namespace tolvane::win32
