#pragma once
// The main window's commands: one row per identifier with whether it can
// run now and what it runs. Menus (WM_INITMENUPOPUP), the toolbar and
// WM_COMMAND all read the table, so a command is greyed exactly where it
// would do nothing, and a new command adds its row and nothing else.

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace tolvane::win32 {

struct CommandRow {
  // Whether it can run now; empty means always.
  std::function<bool()> available;
  // What it runs; empty means it is not built yet, and it stays greyed.
  std::function<void()> run;
};

class CommandTable {
 public:
  // Adds the row, or replaces the one with that identifier.
  void add(int id, CommandRow row);
  // `count` rows from `first`, each given its index from 0 (the tray's
  // "Stop" items).
  void addRange(int first, int count, std::function<bool(int)> available, std::function<void(int)> run);
  // `from` is the same command as `to` (the tree menu's Edit, Run, Stop
  // and Schedule), and as whatever `to` is forwarded to in turn. A forward
  // that would lead back to `from` is refused: false, and nothing changes.
  bool forward(int from, int to);
  // The command runs only while `condition` holds as well, whatever row
  // fills it: a rule every row of the identifier keeps, such as the
  // selection an editing command needs.
  void require(int id, std::function<bool()> condition);

  // False for identifiers without a row.
  bool isAvailable(int id) const;
  // Runs the command when it is available; false when nothing ran.
  bool run(int id) const;

  // Enables or greys every command item of the menu; `alsoNeeded` may hold
  // an item back (what the tree's item menu does not offer for its item).
  void updateMenu(HMENU menu, const std::function<bool(int)>& alsoNeeded = {}) const;
  // Enables or greys every button; `alsoNeeded` may hold a button back
  // (the hot-key button while hot keys are off).
  void updateToolbar(HWND toolbar, const std::function<bool(int)>& alsoNeeded = {}) const;

 private:
  struct Range {
    int first;
    int count;
    std::function<bool(int)> available;
    std::function<void(int)> run;
  };

  int target(int id) const;
  const Range* rangeOf(int id) const;

  std::map<int, CommandRow> rows_;
  std::map<int, int> forwards_;
  std::multimap<int, std::function<bool()>> requirements_;
  std::vector<Range> ranges_;
};

}  // namespace tolvane::win32
