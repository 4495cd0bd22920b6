#pragma once
// The last completed document address, or the last navigation error, of
// this process: shown in the diagnostic box.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane::companion {

inline constexpr std::size_t kLastDocCapacity = 512;

void storeLastDoc(std::u16string_view text);
std::u16string lastDoc();

// "Navigate Error code: %08.8x"
std::u16string navigateErrorText(std::uint32_t statusCode);

}  // namespace tolvane::companion
