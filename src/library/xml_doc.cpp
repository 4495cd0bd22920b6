#include "library/xml_doc.h"

#include <algorithm>
#include <limits>

#include "base/format.h"
#include "library/xml_text.h"

namespace tolvane {
namespace {

using xml::isWhite;
using xml::nextToken;
using xml::Token;

constexpr std::u16string_view kCrLf = u"\r\n";
constexpr std::u16string_view kCdataOpen = u"<![CDATA[";
constexpr std::u16string_view kCdataClose = u"]]>";

std::int32_t offset(std::size_t value) { return static_cast<std::int32_t>(value); }

// Where a node that is not an element (declaration, processing
// instruction, comment, CDATA section, document type) ends; npos when it
// cannot be closed. `bang` is the position of its '!' or '?'.
std::size_t skipNode(std::u16string_view doc, std::size_t bang) {
  std::size_t close = std::u16string_view::npos;
  if (doc[bang] == u'?') {
    close = doc.find(u"?>", bang + 1);
    return close == std::u16string_view::npos ? close : close + 2;
  }
  if (doc.substr(bang, 2) == u"![") {
    close = doc.find(kCdataClose, bang + 2);
    return close == std::u16string_view::npos ? close : close + kCdataClose.size();
  }
  if (doc.substr(bang, 3) == u"!--") {
    close = doc.find(u"-->", bang + 3);
    return close == std::u16string_view::npos ? close : close + 3;
  }
  long depth = 0;
  for (std::size_t i = bang + 1; i < doc.size(); ++i) {
    if (doc[i] == u'[') ++depth;
    else if (doc[i] == u']') --depth;
    else if (doc[i] == u'>' && depth <= 0) return i + 1;
  }
  return std::u16string_view::npos;
}

// An attribute's value inside a start tag that ends at `limit`: quoted
// text or a word, never the tag's own '/' or '>'.
bool isValueToken(std::u16string_view doc, const Token& token, std::size_t limit) {
  if (!token.found || token.start >= limit) return false;
  return token.quoted || !xml::isDelimiter(doc[token.start]);
}

// The value token of the attribute `name` in the start tag that begins at
// `tagStart` and ends at `limit`; not found when the tag has no such
// attribute or its attributes stop making sense before it.
Token findAttributeValue(std::u16string_view doc, std::size_t tagStart, std::size_t limit, std::u16string_view name) {
  std::size_t pos = nextToken(doc, tagStart + 1).next;
  while (pos < limit) {
    const Token attribute = nextToken(doc, pos);
    if (!attribute.found || attribute.start >= limit) break;
    const Token equals = nextToken(doc, attribute.next);
    if (!equals.is(doc, u'=')) {
      pos = attribute.next;
      continue;
    }
    const Token value = nextToken(doc, equals.next);
    if (!isValueToken(doc, value, limit)) break;
    if (!attribute.quoted && attribute.text(doc) == name) return value;
    pos = value.next;
  }
  return Token{};
}

bool isNodeMark(char16_t c) { return c == u'!' || c == u'?'; }

}  // namespace

CXmlDoc::CXmlDoc() { positions_.push_back(ElemSpan{}); }

bool CXmlDoc::fail(std::u16string message, std::size_t at) {
  error_ = std::move(message);
  errorAt_ = at;
  positions_.assign(1, ElemSpan{});
  positions_[0].endOpen = positions_[0].endClose = offset(document_.size());
  return false;
}

bool CXmlDoc::loadText(std::u16string text) {
  document_ = std::move(text);
  error_.clear();
  cursor_ = {};
  positions_.clear();
  positions_.reserve(document_.size() / 64 + 8);
  positions_.push_back(ElemSpan{});
  if (document_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() / 2))
    return fail(u"Document too large", 0);
  positions_[0].endOpen = positions_[0].endClose = offset(document_.size());
  if (document_.empty()) return false;
  return parse();
}

std::u16string CXmlDoc::takeText() {
  std::u16string text = std::move(document_);
  document_.clear();
  error_.clear();
  cursor_ = {};
  positions_.assign(1, ElemSpan{});
  return text;
}

void CXmlDoc::reserve(std::size_t textLength, std::size_t elements) {
  document_.reserve(textLength);
  positions_.reserve(elements + 1);
}

std::int32_t CXmlDoc::appendSpan(const ElemSpan& span) {
  if (positions_.size() == positions_.capacity()) positions_.reserve(positions_.size() + positions_.size() / 2);
  positions_.push_back(span);
  return offset(positions_.size() - 1);
}

// Iterative, so that hostile nesting costs heap, never stack: `open` holds
// the elements whose end tag is still to come.
bool CXmlDoc::parse() {
  struct Open {
    std::int32_t element;
    std::int32_t lastChild;
    std::size_t nameStart;
    std::size_t nameLength;
  };
  const std::u16string_view doc = document_;
  std::vector<Open> open;
  std::size_t pos = 0;

  for (;;) {
    const std::size_t lt = doc.find(u'<', pos);
    std::u16string_view openName;
    if (!open.empty()) openName = doc.substr(open.back().nameStart, open.back().nameLength);
    if (lt == std::u16string_view::npos) {
      if (open.empty()) return fail(u"Element tag not found", doc.size());
      return fail(formatText(u"End tag of %s element not found", openName), doc.size());
    }
    const Token tag = nextToken(doc, lt + 1);
    if (!tag.found) return fail(u"Abrupt end within tag", lt);
    if (tag.quoted) return fail(u"Tag starts with quote", lt);
    const char16_t first = doc[tag.start];

    if (isNodeMark(first)) {
      pos = skipNode(doc, tag.start);
      if (pos == std::u16string_view::npos) return fail(u"Invalid node", lt);
      continue;
    }

    if (first == u'/') {
      if (open.empty()) return fail(u"Element tag not found", lt);
      const Token name = nextToken(doc, tag.next);
      if (!name.found) return fail(formatText(u"End tag not completed for element %s", openName), lt);
      if (name.quoted || name.text(doc) != openName)
        return fail(formatText(u"End tag does not correspond to %s", openName), lt);
      const Token close = nextToken(doc, name.next);
      if (!close.is(doc, u'>')) return fail(formatText(u"End tag not completed for element %s", openName), lt);
      ElemSpan& span = at(open.back().element);
      span.endOpen = offset(lt);
      span.endClose = offset(close.start);
      open.pop_back();
      if (open.empty()) return true;
      pos = close.next;
      continue;
    }

    if (xml::isDelimiter(first)) {
      if (open.empty()) return fail(u"Element tag not found", lt);
      return fail(formatText(u"Expecting end tag of element %s", openName), lt);
    }

    // A start tag: its attributes are passed over token by token.
    std::size_t closeAt = 0;
    bool empty = false;
    bool previousWasSlash = false;
    std::size_t scan = tag.next;
    for (;;) {
      const Token token = nextToken(doc, scan);
      if (!token.found) return fail(u"End of tag not found", lt);
      if (token.is(doc, u'>')) {
        closeAt = token.start;
        empty = previousWasSlash && token.start > 0 && doc[token.start - 1] == u'/';
        break;
      }
      previousWasSlash = token.is(doc, u'/');
      scan = token.next;
    }

    ElemSpan span;
    span.startOpen = offset(lt);
    span.startClose = offset(closeAt);
    if (empty) {
      span.endOpen = offset(closeAt - 1);
      span.endClose = offset(closeAt);
    }
    span.parent = open.empty() ? 0 : open.back().element;
    const std::int32_t element = appendSpan(span);
    if (open.empty()) {
      positions_[0].firstChild = element;
    } else {
      Open& parent = open.back();
      if (parent.lastChild == 0) at(parent.element).firstChild = element;
      else at(parent.lastChild).nextSibling = element;
      parent.lastChild = element;
    }
    pos = closeAt + 1;
    if (empty) {
      if (open.empty()) return true;
      continue;
    }
    open.push_back({element, 0, tag.start, tag.end - tag.start});
  }
}

XmlTextPosition CXmlDoc::errorPosition() const {
  if (error_.empty()) return {};
  const std::u16string_view before = std::u16string_view(document_).substr(0, errorAt_);
  const std::size_t lineStart = before.rfind(u'\n') + 1;  // npos + 1 is 0: the first line
  const auto lines = std::count(before.begin(), before.end(), u'\n');
  return {offset(static_cast<std::size_t>(lines) + 1), offset(errorAt_ - lineStart + 1)};
}

std::u16string_view CXmlDoc::tagName(std::int32_t element) const {
  if (element <= 0) return {};
  const Token token = nextToken(document_, static_cast<std::size_t>(span(element).startOpen) + 1);
  return token.found ? token.text(document_) : std::u16string_view{};
}

bool CXmlDoc::nameMatches(std::int32_t element, std::u16string_view name) const {
  if (name.empty()) return true;
  return tagName(element) == name;
}

bool CXmlDoc::findElement(std::u16string_view name) {
  const std::int32_t first =
      cursor_.mainPos != 0 ? span(cursor_.mainPos).nextSibling : span(cursor_.parentPos).firstChild;
  for (std::int32_t e = first; e != 0; e = span(e).nextSibling) {
    if (nameMatches(e, name)) {
      cursor_.mainPos = e;
      cursor_.childPos = 0;
      return true;
    }
  }
  return false;
}

bool CXmlDoc::findChildElement(std::u16string_view name) {
  const Cursor before = cursor_;
  if (cursor_.mainPos == 0 && !findElement()) return false;
  const std::int32_t first =
      cursor_.childPos != 0 ? span(cursor_.childPos).nextSibling : span(cursor_.mainPos).firstChild;
  for (std::int32_t e = first; e != 0; e = span(e).nextSibling) {
    if (nameMatches(e, name)) {
      cursor_.childPos = e;
      return true;
    }
  }
  cursor_ = before;
  return false;
}

void CXmlDoc::enterChild() {
  if (cursor_.mainPos == 0) return;
  cursor_.parentPos = cursor_.mainPos;
  cursor_.mainPos = cursor_.childPos;
  cursor_.childPos = 0;
}

void CXmlDoc::leaveElement() {
  if (cursor_.parentPos == 0) return;
  cursor_.childPos = cursor_.mainPos;
  cursor_.mainPos = cursor_.parentPos;
  cursor_.parentPos = span(cursor_.parentPos).parent;
}

std::u16string CXmlDoc::elementContent(std::int32_t element) const {
  const ElemSpan& e = span(element);
  if (element == 0 || e.isEmpty() || e.firstChild != 0) return {};
  const std::u16string_view doc = document_;
  const std::size_t begin = static_cast<std::size_t>(e.startClose) + 1;
  const std::size_t end = static_cast<std::size_t>(e.endOpen);
  if (end <= begin) return {};
  const std::u16string_view content = doc.substr(begin, end - begin);
  std::size_t lead = 0;
  while (lead < content.size() && isWhite(content[lead])) ++lead;
  if (content.substr(lead, kCdataOpen.size()) == kCdataOpen) {
    const std::size_t dataStart = lead + kCdataOpen.size();
    const std::size_t dataEnd = content.find(kCdataClose, dataStart);
    if (dataEnd != std::u16string_view::npos) return std::u16string(content.substr(dataStart, dataEnd - dataStart));
  }
  return xml::unescape(content);
}

std::u16string CXmlDoc::childText() const { return elementContent(cursor_.childPos); }

std::int32_t CXmlDoc::childInt() const { return xml::toInt(childText()); }

std::u16string CXmlDoc::childAttribute(std::u16string_view name) const {
  if (cursor_.childPos == 0) return {};
  const std::u16string_view doc = document_;
  const ElemSpan& e = span(cursor_.childPos);
  const Token value = findAttributeValue(doc, static_cast<std::size_t>(e.startOpen),
                                         static_cast<std::size_t>(e.startClose), name);
  return value.found ? xml::unescape(value.text(doc)) : std::u16string();
}

void CXmlDoc::shiftOne(std::int32_t element, std::int64_t threshold, std::int64_t delta) {
  ElemSpan& e = at(element);
  auto move = [&](std::int32_t& value) {
    if (value >= threshold) value = static_cast<std::int32_t>(value + delta);
  };
  if (element != 0) {
    move(e.startOpen);
    move(e.startClose);
  }
  move(e.endOpen);
  move(e.endClose);
}

void CXmlDoc::shiftSubtree(std::int32_t top, std::int64_t threshold, std::int64_t delta) {
  std::vector<std::int32_t> pending{top};
  while (!pending.empty()) {
    const std::int32_t element = pending.back();
    pending.pop_back();
    shiftOne(element, threshold, delta);
    const ElemSpan& e = span(element);
    if (element != top && e.nextSibling != 0) pending.push_back(e.nextSibling);
    if (e.firstChild != 0) pending.push_back(e.firstChild);
  }
}

// Only the elements that can lie after an edit point are visited: the
// element itself (and its subtree when asked), every later sibling with
// its subtree, and each ancestor with its later siblings. Appending to the
// end of a document so costs its depth, not its size.
void CXmlDoc::shiftFollowing(std::int32_t from, bool includeSubtree, std::int64_t threshold, std::int64_t delta) {
  if (includeSubtree) shiftSubtree(from, threshold, delta);
  else shiftOne(from, threshold, delta);
  std::int32_t element = from;
  for (;;) {
    for (std::int32_t s = span(element).nextSibling; s != 0; s = span(s).nextSibling) shiftSubtree(s, threshold, delta);
    if (element == 0) break;
    element = span(element).parent;
    shiftOne(element, threshold, delta);
  }
}

void CXmlDoc::linkChild(std::int32_t parent, std::int32_t after, std::int32_t child) {
  at(child).parent = parent;
  if (after != 0) {
    at(child).nextSibling = span(after).nextSibling;
    at(after).nextSibling = child;
    return;
  }
  if (span(parent).firstChild == 0) {
    at(parent).firstChild = child;
    return;
  }
  std::int32_t last = span(parent).firstChild;
  while (span(last).nextSibling != 0) last = span(last).nextSibling;
  at(last).nextSibling = child;
}

void CXmlDoc::addElement(std::u16string_view name, std::u16string_view text) {
  std::u16string element;
  const std::u16string escaped = xml::escapeText(text);
  element.reserve(2 * name.size() + escaped.size() + 8);
  element += u'<';
  element += name;
  if (text.empty()) {
    element += u"/>";
  } else {
    element += u'>';
    element += escaped;
    element += u"</";
    element += name;
    element += u'>';
  }
  element += kCrLf;

  const std::int32_t parent = cursor_.parentPos;
  const std::int32_t after = cursor_.mainPos;
  std::size_t insertAt = 0;

  if (after == 0 && parent != 0 && span(parent).isEmpty()) {
    // "<p/>" becomes "<p>" CRLF element "</p>": the '/' gives way and the
    // parent's own '>' closes its new end tag.
    const std::size_t slash = static_cast<std::size_t>(span(parent).endOpen);
    std::u16string replacement;
    replacement.reserve(element.size() + name.size() + 8);
    replacement += u'>';
    replacement += kCrLf;
    replacement += element;
    replacement += u"</";
    replacement += tagName(parent);
    const auto delta = static_cast<std::int64_t>(replacement.size()) - 1;
    shiftFollowing(parent, false, static_cast<std::int64_t>(slash) + 1, delta);
    ElemSpan& p = at(parent);
    p.startClose = offset(slash);
    p.endOpen = offset(slash + 1 + kCrLf.size() + element.size());
    document_.replace(slash, 1, replacement);
    insertAt = slash + 1 + kCrLf.size();
  } else {
    if (after != 0) {
      insertAt = static_cast<std::size_t>(span(after).endClose) + 1;
      std::size_t next = insertAt;
      while (next < document_.size() && isWhite(document_[next])) ++next;
      if (next == document_.size() || document_[next] == u'<') insertAt = next;
    } else if (parent != 0) {
      const ElemSpan& p = span(parent);
      insertAt = static_cast<std::size_t>(p.endOpen);
      if (p.firstChild == 0 && p.endOpen == p.startClose + 1) element.insert(0, kCrLf);
    } else {
      insertAt = document_.size();
    }
    shiftFollowing(after != 0 ? after : parent, false, static_cast<std::int64_t>(insertAt),
                   static_cast<std::int64_t>(element.size()));
    document_.replace(insertAt, 0, element);
    if (element.starts_with(kCrLf)) insertAt += kCrLf.size();
  }

  ElemSpan span;
  span.startOpen = offset(insertAt);
  span.startClose = offset(insertAt + 1 + name.size() + (text.empty() ? 1 : 0));
  if (text.empty()) {
    span.endOpen = span.startClose - 1;
    span.endClose = span.startClose;
  } else {
    span.endOpen = offset(static_cast<std::size_t>(span.startClose) + 1 + escaped.size());
    span.endClose = offset(static_cast<std::size_t>(span.endOpen) + 2 + name.size());
  }
  const std::int32_t added = appendSpan(span);
  linkChild(parent, after, added);
  cursor_.mainPos = added;
  cursor_.childPos = 0;
}

bool CXmlDoc::setAttribute(std::int32_t element, std::u16string_view name, std::u16string_view value) {
  if (element <= 0 || element >= positionCount()) return false;
  const std::u16string_view doc = document_;
  const ElemSpan& e = span(element);
  const std::size_t limit = static_cast<std::size_t>(e.startClose);
  const std::u16string escaped = xml::escapeAttribute(value);

  const Token valueToken = findAttributeValue(doc, static_cast<std::size_t>(e.startOpen), limit, name);
  if (valueToken.found) {
    const auto delta = static_cast<std::int64_t>(escaped.size()) -
                       static_cast<std::int64_t>(valueToken.end - valueToken.start);
    shiftFollowing(element, true, static_cast<std::int64_t>(valueToken.end), delta);
    document_.replace(valueToken.start, valueToken.end - valueToken.start, escaped);
    return true;
  }

  std::u16string attribute;
  attribute.reserve(name.size() + escaped.size() + 4);
  attribute += u' ';
  attribute += name;
  attribute += u"=\"";
  attribute += escaped;
  attribute += u'"';
  const std::size_t insertAt = static_cast<std::size_t>(e.isEmpty() ? e.endOpen : e.startClose);
  shiftFollowing(element, true, static_cast<std::int64_t>(insertAt), static_cast<std::int64_t>(attribute.size()));
  document_.replace(insertAt, 0, attribute);
  return true;
}

}  // namespace tolvane
