#include "base/format.h"

#include <cstddef>

namespace tolvane {
namespace {

struct Spec {
  bool leftAlign = false;
  bool zeroPad = false;
  int width = 0;
  int precision = -1;
  char16_t conversion = 0;
};

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int readNumber(std::u16string_view pattern, std::size_t& i) {
  int value = 0;
  while (i < pattern.size() && isDigit(pattern[i]) && value < 100000) value = value * 10 + (pattern[i++] - u'0');
  return value;
}

// Reads the conversion after '%' at pattern[i]; false when it is not a
// complete conversion (the text is then copied as it stands).
bool readSpec(std::u16string_view pattern, std::size_t& i, Spec& spec) {
  for (; i < pattern.size(); ++i) {
    if (pattern[i] == u'-') {
      spec.leftAlign = true;
    } else if (pattern[i] == u'0') {
      spec.zeroPad = true;
    } else {
      break;
    }
  }
  spec.width = readNumber(pattern, i);
  if (i < pattern.size() && pattern[i] == u'.') {
    ++i;
    spec.precision = readNumber(pattern, i);
  }
  if (pattern.substr(i, 3) == u"I64") i += 3;
  while (i < pattern.size() && (pattern[i] == u'l' || pattern[i] == u'h')) ++i;
  if (i >= pattern.size()) return false;
  spec.conversion = pattern[i++];
  return true;
}

std::u16string digitsOf(std::uint64_t value, unsigned base, bool upper) {
  const char16_t* digits = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
  std::u16string out;
  do {
    out.insert(out.begin(), digits[value % base]);
    value /= base;
  } while (value != 0);
  return out;
}

std::u16string formatNumber(const Spec& spec, const FormatArg* arg) {
  bool negative = false;
  std::uint64_t magnitude = 0;
  unsigned base = 10;
  if (spec.conversion == u'd' || spec.conversion == u'i') {
    const std::int64_t value = arg ? arg->asSigned() : 0;
    negative = value < 0;
    magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  } else {
    std::uint64_t value = arg ? arg->asUnsigned() : 0;
    // A negative int printed with %x or %u shows its 32-bit pattern, as in C.
    if (arg && arg->kind() == FormatArg::Kind::Signed && arg->asSigned() < 0 && arg->asSigned() >= INT32_MIN)
      value &= 0xFFFFFFFFu;
    magnitude = value;
    if (spec.conversion != u'u') base = 16;
  }
  std::u16string digits = digitsOf(magnitude, base, spec.conversion == u'X');
  if (spec.precision >= 0 && static_cast<int>(digits.size()) < spec.precision)
    digits.insert(0, static_cast<std::size_t>(spec.precision) - digits.size(), u'0');
  const std::size_t signWidth = negative ? 1 : 0;
  if (spec.zeroPad && !spec.leftAlign && spec.precision < 0 &&
      static_cast<int>(digits.size() + signWidth) < spec.width)
    digits.insert(0, static_cast<std::size_t>(spec.width) - digits.size() - signWidth, u'0');
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

std::u16string formatOne(const Spec& spec, const FormatArg* arg) {
  std::u16string body;
  switch (spec.conversion) {
    case u's':
      if (arg && arg->kind() == FormatArg::Kind::Text) body = arg->text();
      if (spec.precision >= 0 && body.size() > static_cast<std::size_t>(spec.precision))
        body.resize(static_cast<std::size_t>(spec.precision));
      break;
    case u'c':
      if (arg) body.push_back(static_cast<char16_t>(arg->asUnsigned()));
      break;
    default:
      body = formatNumber(spec, arg);
  }
  if (static_cast<int>(body.size()) < spec.width) {
    const std::size_t pad = static_cast<std::size_t>(spec.width) - body.size();
    if (spec.leftAlign) {
      body.append(pad, u' ');
    } else {
      body.insert(0, pad, u' ');
    }
  }
  return body;
}

bool isConversion(char16_t c) {
  return c == u's' || c == u'd' || c == u'i' || c == u'u' || c == u'x' || c == u'X' || c == u'c';
}

}  // namespace

std::u16string formatTextArgs(std::u16string_view pattern, std::initializer_list<FormatArg> args) {
  std::u16string out;
  out.reserve(pattern.size() + 32);
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size();) {
    if (pattern[i] != u'%') {
      out.push_back(pattern[i++]);
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
      out.push_back(u'%');
      i += 2;
      continue;
    }
    std::size_t cursor = i + 1;
    Spec spec;
    if (!readSpec(pattern, cursor, spec) || !isConversion(spec.conversion)) {
      out.push_back(pattern[i++]);
      continue;
    }
    const FormatArg* arg = next != args.end() ? &*next++ : nullptr;
    out += formatOne(spec, arg);
    i = cursor;
  }
  return out;
}

}  // namespace tolvane
