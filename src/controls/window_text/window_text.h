#pragma once
// A window's whole text, and how wide a text is drawn in a window's font.

#include <windows.h>

#include <string>
#include <string_view>

namespace tolvane::win32 {

std::u16string windowText(HWND window);

// In pixels, in the font the window draws with.
int textWidth(HWND window, std::wstring_view text);

}  // namespace tolvane::win32
