#include "library/xml_text.h"

#include <limits>

namespace tolvane::xml {
namespace {

std::u16string escape(std::u16string_view text, bool forAttribute) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 10 + 7);
  for (const char16_t c : text) {
    switch (c) {
      case u'<': out += u"&lt;"; break;
      case u'&': out += u"&amp;"; break;
      case u'>': out += u"&gt;"; break;
      case u'\'':
        if (forAttribute) out += u"&apos;"; else out += c;
        break;
      case u'"':
        if (forAttribute) out += u"&quot;"; else out += c;
        break;
      default: out += c;
    }
  }
  return out;
}

struct Entity {
  std::u16string_view name;
  char16_t character;
};

constexpr Entity kEntities[] = {
    {u"lt;", u'<'}, {u"amp;", u'&'}, {u"gt;", u'>'}, {u"apos;", u'\''}, {u"quot;", u'"'},
};

}  // namespace

bool isWhite(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool isCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

bool isDelimiter(char16_t c) {
  switch (c) {
    case u' ': case u'\t': case u'\n': case u'\r':
    case u'<': case u'>': case u'=': case u'\\': case u'/': case u'?': case u'!':
      return true;
    default:
      return false;
  }
}

Token nextToken(std::u16string_view doc, std::size_t pos) {
  Token token;
  while (pos < doc.size() && isWhite(doc[pos])) ++pos;
  if (pos >= doc.size()) return token;
  token.found = true;
  const char16_t first = doc[pos];
  if (first == u'"' || first == u'\'') {
    token.quoted = true;
    token.start = pos + 1;
    const std::size_t close = doc.find(first, token.start);
    token.end = close == std::u16string_view::npos ? doc.size() : close;
    token.next = close == std::u16string_view::npos ? doc.size() : close + 1;
    return token;
  }
  token.start = pos;
  std::size_t end = pos;
  while (end < doc.size() && !isDelimiter(doc[end])) ++end;
  if (end == pos) ++end;
  token.end = end;
  token.next = end;
  return token;
}

std::u16string escapeText(std::u16string_view text) { return escape(text, false); }

std::u16string escapeAttribute(std::u16string_view text) { return escape(text, true); }

std::u16string unescape(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t amp = text.find(u'&', i);
    if (amp == std::u16string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    i = amp + 1;
    char16_t replacement = u'&';
    for (const auto& entity : kEntities) {
      if (text.substr(i, entity.name.size()) == entity.name) {
        replacement = entity.character;
        i += entity.name.size();
        break;
      }
    }
    out += replacement;
  }
  return out;
}

std::int32_t toInt(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace tolvane::xml
