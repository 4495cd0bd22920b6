#pragma once
// Listing a window's menu items for the picker and invoking one by its path
// through accessibility.

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/targeting/menu_paths.h"
#include "platform/accessibility.h"
#include "platform/desktop.h"

namespace tolvane {

inline constexpr std::uint32_t kInvokeFailed = 0x80004005;  // E_FAIL

inline constexpr std::u16string_view kMenuBarName = u"Menu";
inline constexpr std::u16string_view kMenuBarRole = u"menu bar";
inline constexpr std::u16string_view kMenuItemRole = u"menu item";
inline constexpr std::u16string_view kFocusableState = u"focusable";

struct MenuInvokeResult {
  bool invoked = false;
  std::uint32_t code = kInvokeFailed;  // 0 on success
};

// Finds the window's menu bar, then each item of the path in turn below the
// one found before (name contains the item, role "menu item", greyed items
// never found), and carries out the last item's default action.
MenuInvokeResult invokeMenuItem(Accessibility& accessibility, WindowHandle window, std::u16string_view path);

// The window's menu leaves: from its classic menu bar with command ids, or,
// when it has none, from its accessible menu bar without ids.
std::vector<MenuLeaf> listMenuItems(Desktop& desktop, Accessibility& accessibility, WindowHandle window);

}  // namespace tolvane
