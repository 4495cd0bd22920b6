#pragma once
// Text of a Win32 error code, for message boxes and debug lines.

#include <cstdint>
#include <string>

namespace tolvane::win32 {

std::u16string systemErrorText(std::uint32_t code);

}  // namespace tolvane::win32
