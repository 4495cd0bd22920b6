#include "engine/targeting/menu_paths.h"

namespace tolvane {

namespace {

void appendLeaves(const std::vector<MenuTreeItem>& items, const std::u16string& prefix,
                  std::vector<MenuLeaf>& leaves) {
  for (const MenuTreeItem& item : items) {
    std::u16string path = prefix.empty() ? item.name : prefix + std::u16string(kMenuPathSeparator) + item.name;
    if (item.children.empty()) {
      leaves.push_back(MenuLeaf{std::move(path), item.commandId});
    } else {
      appendLeaves(item.children, path, leaves);
    }
  }
}

}  // namespace

std::vector<std::u16string> splitMenuPath(std::u16string_view path) {
  std::vector<std::u16string> items;
  for (;;) {
    const std::size_t at = path.find(kMenuPathSeparator);
    items.emplace_back(path.substr(0, at));
    if (at == std::u16string_view::npos) return items;
    path.remove_prefix(at + kMenuPathSeparator.size());
  }
}

std::vector<MenuTreeItem> menuTreeFromClassic(const std::vector<ClassicMenuItem>& menu) {
  std::vector<MenuTreeItem> items;
  for (const ClassicMenuItem& entry : menu) {
    if (entry.text.empty()) continue;
    MenuTreeItem item{entry.text, std::nullopt, menuTreeFromClassic(entry.submenu)};
    // A submenu holding nothing but separators offers nothing to pick.
    if (!entry.submenu.empty() && item.children.empty()) continue;
    // A popup's id is its submenu, not a command; only leaves carry commands.
    if (entry.submenu.empty()) item.commandId = entry.commandId;
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<MenuLeaf> flattenMenu(const std::vector<MenuTreeItem>& items) {
  std::vector<MenuLeaf> leaves;
  appendLeaves(items, std::u16string(), leaves);
  return leaves;
}

}  // namespace tolvane
