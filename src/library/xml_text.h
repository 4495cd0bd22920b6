#pragma once
// The character-level rules of the chore files' markup: tokens inside
// tags, escaping and unescaping, and the C runtime's lenient integer
// conversion that the files have always been read with.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane::xml {

bool isWhite(char16_t c);

// The C runtime's isspace in the "C" locale, which its number conversions skip.
bool isCSpace(char16_t c);

// Characters that end an unquoted token (and are one-character tokens
// themselves): white space and < > = \ / ? !
bool isDelimiter(char16_t c);

struct Token {
  bool found = false;
  bool quoted = false;
  std::size_t start = 0;  // first character of the token's text (inside the quotes)
  std::size_t end = 0;    // one past its last character
  std::size_t next = 0;   // where the following token may start

  std::u16string_view text(std::u16string_view doc) const { return doc.substr(start, end - start); }
  bool is(std::u16string_view doc, char16_t c) const { return found && !quoted && end == start + 1 && doc[start] == c; }
};

// The token that begins at or after `pos`; not found at the end of the text.
Token nextToken(std::u16string_view doc, std::size_t pos);

std::u16string escapeText(std::u16string_view text);
std::u16string escapeAttribute(std::u16string_view text);
// Only the five predefined entities; any other ampersand stays as it is.
std::u16string unescape(std::u16string_view text);

// `_wtoi` rules: leading white space, an optional sign, decimal digits;
// anything else ends the number, no digits give 0, overflow saturates.
std::int32_t toInt(std::u16string_view text);

}  // namespace tolvane::xml
