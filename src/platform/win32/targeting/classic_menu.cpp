#include "platform/win32/targeting/classic_menu.h"

#include <string>

#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

// Menus are trees owned by other programs; a menu that contains itself must
// not recurse for ever.
constexpr int kMaxDepth = 16;

std::optional<std::vector<ClassicMenuItem>> readMenu(HMENU menu, int depth) {
  const int count = GetMenuItemCount(menu);
  if (count < 0) return std::nullopt;
  std::vector<ClassicMenuItem> items;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    ClassicMenuItem item;
    item.commandId = info.wID;
    if (!(info.fType & MFT_SEPARATOR) && info.cch > 0) {
      std::wstring text(info.cch + 1, L'\0');
      info.dwTypeData = text.data();
      info.cch = static_cast<UINT>(text.size());
      if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
        text.resize(info.cch);
        item.text = fromWide(text);
      }
    }
    if (info.hSubMenu && depth < kMaxDepth) {
      if (auto submenu = readMenu(info.hSubMenu, depth + 1)) item.submenu = std::move(*submenu);
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace

std::optional<std::vector<ClassicMenuItem>> readClassicMenu(HWND window) {
  HMENU menu = GetMenu(window);
  if (!menu || !IsMenu(menu)) return std::nullopt;
  return readMenu(menu, 0);
}

}  // namespace tolvane::win32
