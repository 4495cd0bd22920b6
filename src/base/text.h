#pragma once
// UTF-16 text helpers for portable code. The system's text is UTF-16
// everywhere; UTF-8 appears only at the edges (console, Linux paths, tests).

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvane {

// Converts UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string toU16(std::string_view utf8);

// Converts UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);

// ASCII-only case folding, for the comparisons that are documented as
// case-insensitive (module names, command words).
char16_t asciiLower(char16_t c);
std::u16string asciiLower(std::u16string_view text);
bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);
bool endsWithIgnoreAsciiCase(std::u16string_view text, std::u16string_view suffix);
bool containsIgnoreAsciiCase(std::u16string_view text, std::u16string_view part);

// Copies at most capacity - 1 code units and always terminates: the rule
// for every fixed-size text buffer. Returns the number of units copied.
std::size_t copyTruncated(char16_t* dest, std::size_t capacity, std::u16string_view source);

// Text of a fixed-size buffer up to its first terminator (or its end).
std::u16string_view terminatedView(const char16_t* buffer, std::size_t capacity);

// Decimal integer of the whole text, with an optional sign; nothing else.
bool parseInt(std::u16string_view text, long long& value);

}  // namespace tolvane
