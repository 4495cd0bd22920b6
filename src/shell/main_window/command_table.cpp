#include "shell/main_window/command_table.h"

#include <commctrl.h>

namespace tolvane::win32 {

void CommandTable::add(int id, CommandRow row) { rows_[id] = std::move(row); }

void CommandTable::addRange(int first, int count, std::function<bool(int)> available, std::function<void(int)> run) {
  ranges_.push_back({first, count, std::move(available), std::move(run)});
}

bool CommandTable::forward(int from, int to) {
  for (int id = to;;) {
    if (id == from) return false;
    const auto next = forwards_.find(id);
    if (next == forwards_.end()) break;
    id = next->second;
  }
  forwards_[from] = to;
  return true;
}

void CommandTable::require(int id, std::function<bool()> condition) {
  requirements_.emplace(id, std::move(condition));
}

// forward() keeps the chains free of loops, so each ends.
int CommandTable::target(int id) const {
  for (auto forward = forwards_.find(id); forward != forwards_.end(); forward = forwards_.find(id)) {
    id = forward->second;
  }
  return id;
}

const CommandTable::Range* CommandTable::rangeOf(int id) const {
  for (const Range& range : ranges_) {
    if (id >= range.first && id < range.first + range.count) return &range;
  }
  return nullptr;
}

bool CommandTable::isAvailable(int id) const {
  id = target(id);
  if (const Range* range = rangeOf(id)) return range->run && (!range->available || range->available(id - range->first));
  const auto row = rows_.find(id);
  if (row == rows_.end() || !row->second.run) return false;
  const auto [first, last] = requirements_.equal_range(id);
  for (auto requirement = first; requirement != last; ++requirement) {
    if (!requirement->second()) return false;
  }
  return !row->second.available || row->second.available();
}

bool CommandTable::run(int id) const {
  if (!isAvailable(id)) return false;
  id = target(id);
  if (const Range* range = rangeOf(id)) {
    range->run(id - range->first);
    return true;
  }
  // A copy: the command may change the table's rows.
  const std::function<void()> action = rows_.at(id).run;
  action();
  return true;
}

void CommandTable::updateMenu(HMENU menu, const std::function<bool(int)>& alsoNeeded) const {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const int id = static_cast<int>(GetMenuItemID(menu, i));
    // Separators and submenus.
    if (id == 0 || id == -1) continue;
    const bool enabled = isAvailable(id) && (!alsoNeeded || alsoNeeded(id));
    EnableMenuItem(menu, i, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void CommandTable::updateToolbar(HWND toolbar, const std::function<bool(int)>& alsoNeeded) const {
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & BTNS_SEP) continue;
    const bool enabled = isAvailable(button.idCommand) && (!alsoNeeded || alsoNeeded(button.idCommand));
    if ((SendMessageW(toolbar, TB_ISBUTTONENABLED, button.idCommand, 0) != 0) != enabled) {
      SendMessageW(toolbar, TB_ENABLEBUTTON, button.idCommand, MAKELONG(enabled, 0));
    }
  }
}

}  // namespace tolvane::win32
