#pragma once
// printf-style formatting of the system's own messages, so that each text
// reads in the code exactly as it reads on the screen:
//   formatText(u"Chore done: %s, CHORE_EXPLORE:%s", name, folder)
// Supported: %s %d %i %u %x %X %c %%, with flags '-' and '0', a width, a
// precision and the length modifiers h l ll I64 (accepted and ignored).
// A missing argument formats as empty text or 0, never as garbage.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace tolvane {

class FormatArg {
 public:
  enum class Kind { Text, Signed, Unsigned };

  FormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}
  FormatArg(const std::u16string& text) : kind_(Kind::Text), text_(text) {}
  FormatArg(const char16_t* text) : kind_(Kind::Text), text_(text ? text : u"") {}
  template <typename T, typename = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>>
  FormatArg(T value) {
    using U = std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>, std::type_identity<T>>;
    using V = typename U::type;
    if constexpr (std::is_signed_v<V>) {
      kind_ = Kind::Signed;
      signed_ = static_cast<std::int64_t>(value);
    } else {
      kind_ = Kind::Unsigned;
      unsigned_ = static_cast<std::uint64_t>(value);
    }
  }

  Kind kind() const { return kind_; }
  std::u16string_view text() const { return text_; }
  std::int64_t asSigned() const { return kind_ == Kind::Unsigned ? static_cast<std::int64_t>(unsigned_) : signed_; }
  std::uint64_t asUnsigned() const { return kind_ == Kind::Signed ? static_cast<std::uint64_t>(signed_) : unsigned_; }

 private:
  Kind kind_ = Kind::Signed;
  std::u16string_view text_;
  std::int64_t signed_ = 0;
  std::uint64_t unsigned_ = 0;
};

std::u16string formatTextArgs(std::u16string_view pattern, std::initializer_list<FormatArg> args);

template <typename... Args>
std::u16string formatText(std::u16string_view pattern, const Args&... args) {
  return formatTextArgs(pattern, {FormatArg(args)...});
}

}  // namespace tolvane
