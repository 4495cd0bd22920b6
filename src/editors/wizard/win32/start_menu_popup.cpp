#include "editors/wizard/win32/start_menu_popup.h"

#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

// "&" in a file name is a character to show, not a mnemonic.
std::wstring menuLabel(std::u16string_view text) {
  std::wstring label;
  for (const char16_t c : text) {
    if (c == u'&') label += L'&';
    label += static_cast<wchar_t>(c);
  }
  return label;
}

void appendItems(HMENU menu, const StartMenu& items) {
  for (const StartMenuItem& item : items) {
    if (item.isSubmenu()) {
      HMENU submenu = CreatePopupMenu();
      appendItems(submenu, item.submenu);
      AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), menuLabel(item.text).c_str());
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.commandId), menuLabel(item.text).c_str());
    }
  }
}

}  // namespace

StartMenuPopup::StartMenuPopup(StartMenu menu) : menu_(std::move(menu)), popup_(CreatePopupMenu()) {
  appendItems(popup_, menu_);
  // A folder without programs still answers the click.
  if (menu_.empty()) AppendMenuW(popup_, MF_STRING | MF_GRAYED, 0, L"(empty)");
}

StartMenuPopup::~StartMenuPopup() { DestroyMenu(popup_); }

const StartMenuItem* StartMenuPopup::choose(HWND owner, HWND button) const {
  RECT below{};
  GetWindowRect(button, &below);
  const int chosen = static_cast<int>(TrackPopupMenu(popup_, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                     below.left, below.bottom, 0, owner, nullptr));
  return findStartMenuProgram(menu_, chosen);
}

}  // namespace tolvane::win32
