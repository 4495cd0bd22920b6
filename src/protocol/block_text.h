#pragma once
// Copying texts into and out of the fixed-size fields of the shared
// block. A field is always terminated inside its capacity, so one process
// can never make another read or write past the record.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/text.h"

namespace tolvane::protocol {

// Stores at most N - 1 code units; true when the whole text fitted.
template <std::size_t N>
bool storeBlockText(char16_t (&field)[N], std::u16string_view text) {
  const std::size_t copied = copyTruncated(field, N, text);
  return copied == text.size();
}

template <std::size_t N>
std::u16string loadBlockText(const char16_t (&field)[N]) {
  return std::u16string(terminatedView(field, N));
}

// A zero-terminated text from a caller of an export, read no further than
// `limit` code units: enough to know whether it fits a field.
std::u16string_view callerText(const char16_t* text, std::size_t limit);

// Copies a field into a caller's buffer of the field's capacity.
template <std::size_t N>
void copyBlockTextOut(const char16_t (&field)[N], char16_t* buffer) {
  copyTruncated(buffer, N, terminatedView(field, N));
}

}  // namespace tolvane::protocol
