#include "engine/targeting/menu_commands.h"

#include <cstddef>
#include <memory>
#include <utility>

#include "engine/targeting/accessible_search.h"

namespace tolvane {

namespace {

// Bounds for walking an accessible menu, whose objects come from another
// program and may nest without end.
constexpr std::size_t kMaxMenuDepth = 16;

class AccessibleMenuWalk {
 public:
  // Menu items become entries; anything else between them (the popup that
  // holds a submenu's items) is looked through.
  void collect(AccessibleNode& node, std::vector<MenuTreeItem>& items, std::size_t depth) {
    if (depth > kMaxMenuDepth) return;
    for (std::unique_ptr<AccessibleNode>& child : node.children()) {
      if (++visited_ > kAccessibleSearchBound) return;
      if (child->roleText() == kMenuItemRole && child->stateText().find(kFocusableState) != std::u16string::npos) {
        MenuTreeItem item{child->name(), std::nullopt, {}};
        collect(*child, item.children, depth + 1);
        items.push_back(std::move(item));
      } else {
        collect(*child, items, depth + 1);
      }
    }
  }

 private:
  std::size_t visited_ = 0;
};

std::unique_ptr<AccessibleNode> findMenuBar(Accessibility& accessibility, WindowHandle window) {
  std::unique_ptr<AccessibleNode> root = accessibility.windowObject(window);
  if (!root) return nullptr;
  return findAccessible(*root, kMenuBarName, kMenuBarRole);
}

}  // namespace

MenuInvokeResult invokeMenuItem(Accessibility& accessibility, WindowHandle window, std::u16string_view path) {
  MenuInvokeResult result;
  const std::vector<std::u16string> items = splitMenuPath(path);
  // An empty item would match the first menu item of all and invoke it.
  for (const std::u16string& item : items) {
    if (item.empty()) return result;
  }
  std::unique_ptr<AccessibleNode> current = findMenuBar(accessibility, window);
  for (const std::u16string& item : items) {
    if (!current) return result;
    current = findAccessible(*current, item, kMenuItemRole);
  }
  if (!current) return result;
  const std::int32_t code = current->doDefaultAction();
  if (code < 0) {
    result.code = static_cast<std::uint32_t>(code);
    return result;
  }
  result.invoked = true;
  result.code = 0;
  return result;
}

std::vector<MenuLeaf> listMenuItems(Desktop& desktop, Accessibility& accessibility, WindowHandle window) {
  if (std::optional<std::vector<ClassicMenuItem>> classic = desktop.classicMenu(window)) {
    return flattenMenu(menuTreeFromClassic(*classic));
  }
  std::unique_ptr<AccessibleNode> menuBar = findMenuBar(accessibility, window);
  if (!menuBar) return {};
  std::vector<MenuTreeItem> items;
  AccessibleMenuWalk().collect(*menuBar, items, 0);
  return flattenMenu(items);
}

}  // namespace tolvane
