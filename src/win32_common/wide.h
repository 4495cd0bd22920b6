#pragma once
// The one place where portable UTF-16 text meets the Win32 wchar_t API.

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters are UTF-16");

namespace tolvane::win32 {

inline std::wstring toWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

inline std::u16string fromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

inline std::u16string fromWide(const wchar_t* text) { return text ? fromWide(std::wstring_view(text)) : std::u16string(); }

}  // namespace tolvane::win32
