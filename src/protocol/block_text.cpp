#include "protocol/block_text.h"

namespace tolvane::protocol {

std::u16string_view callerText(const char16_t* text, std::size_t limit) {
  if (!text) return {};
  std::size_t length = 0;
  while (length < limit && text[length] != u'\0') ++length;
  return std::u16string_view(text, length);
}

}  // namespace tolvane::protocol
