#pragma once
// Menu items as the picker lists them and menu chores name them: a path of
// item names from the menu bar down, joined with " [] ".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"

namespace tolvane {

inline constexpr std::u16string_view kMenuPathSeparator = u" [] ";

// A menu item with its sub-items, whichever way it was read.
struct MenuTreeItem {
  std::u16string name;
  std::optional<std::uint32_t> commandId;
  std::vector<MenuTreeItem> children;
};

// One leaf of a menu: what the picker shows and stores.
struct MenuLeaf {
  std::u16string path;
  std::optional<std::uint32_t> commandId;

  bool operator==(const MenuLeaf&) const = default;
};

// "File [] Save As..." -> {"File", "Save As..."}.
std::vector<std::u16string> splitMenuPath(std::u16string_view path);

// The classic menu as a tree; separators (items without text) are left out.
std::vector<MenuTreeItem> menuTreeFromClassic(const std::vector<ClassicMenuItem>& menu);

// Every leaf of the tree in menu order, with its full path.
std::vector<MenuLeaf> flattenMenu(const std::vector<MenuTreeItem>& items);

}  // namespace tolvane
