#include "protocol/block_text.h"

namespace tolvane::protocol {

std::u16string_view callerText(const char16_t* text, std::size_t limit) {
  return text ? terminatedView(text, limit) : std::u16string_view();
}

}  // namespace tolvane::protocol
