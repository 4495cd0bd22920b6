#pragma once
// The small XML document of the chore files. The whole document is one
// UTF-16 string; loading indexes its elements once, and a three-level
// cursor (parent, main, child) walks them. Elements added with addElement
// and attributes set with setAttribute edit the string in place and keep
// the index in step. Text the document did not write is never reformatted.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One indexed element. Offsets count UTF-16 code units in the document.
struct ElemSpan {
  std::int32_t startOpen = 0;   // '<' of the start tag
  std::int32_t startClose = 0;  // '>' of the start tag ('>' of "/>" for an empty element)
  std::int32_t endOpen = 0;     // '<' of the end tag; the '/' of "/>" for an empty element
  std::int32_t endClose = 0;    // '>' of the end tag; startClose for an empty element
  std::int32_t reserved = 0;
  std::int32_t parent = 0;       // 0 = top level
  std::int32_t firstChild = 0;   // 0 = none
  std::int32_t nextSibling = 0;  // 0 = none

  bool isEmpty() const { return startClose == endOpen + 1; }
};

// Where a parse stopped: 1-based line and column (in code units); 0, 0
// when the last load did not fail.
struct XmlTextPosition {
  std::int32_t line = 0;
  std::int32_t column = 0;
  friend bool operator==(const XmlTextPosition&, const XmlTextPosition&) = default;
};

class CXmlDoc {
 public:
  struct Cursor {
    std::int32_t parentPos = 0;
    std::int32_t mainPos = 0;
    std::int32_t childPos = 0;
    friend bool operator==(const Cursor&, const Cursor&) = default;
  };

  CXmlDoc();

  // Replaces the document and indexes it. True when a top-level element was
  // parsed; otherwise error() says why (empty for empty text) and the index
  // is empty, though the text is kept.
  bool loadText(std::u16string text);
  std::u16string documentText() const { return document_; }
  // Hands the text over and leaves the document empty.
  std::u16string takeText();
  const std::u16string& error() const { return error_; }
  XmlTextPosition errorPosition() const;

  // The next sibling after mainPos (or the parent's first child when mainPos
  // is 0) with that tag name; any name when `name` is empty.
  bool findElement(std::u16string_view name = {});
  // The next child of mainPos after childPos with that tag name.
  bool findChildElement(std::u16string_view name);
  void enterChild();
  void leaveElement();

  std::u16string childText() const;
  std::int32_t childInt() const;
  std::u16string childAttribute(std::u16string_view name) const;

  // Room for a document of about that many code units and elements, so that
  // building a large one does not copy it over and over.
  void reserve(std::size_t textLength, std::size_t elements);

  // Appends an element after mainPos at the current level (as the parent's
  // last child when mainPos is 0); it becomes mainPos.
  void addElement(std::u16string_view name, std::u16string_view text);
  // False, and nothing changed, for an index outside the table.
  bool setAttribute(std::int32_t element, std::u16string_view name, std::u16string_view value);

  Cursor cursor() const { return cursor_; }
  void setCursor(Cursor cursor) { cursor_ = cursor; }
  std::int32_t positionCount() const { return static_cast<std::int32_t>(positions_.size()); }
  const ElemSpan& span(std::int32_t element) const { return positions_.at(static_cast<std::size_t>(element)); }
  std::u16string_view tagName(std::int32_t element) const;

 private:
  bool parse();
  bool fail(std::u16string message, std::size_t at);
  std::int32_t appendSpan(const ElemSpan& span);
  void linkChild(std::int32_t parent, std::int32_t after, std::int32_t child);
  bool nameMatches(std::int32_t element, std::u16string_view name) const;
  std::u16string elementContent(std::int32_t element) const;
  void shiftFollowing(std::int32_t from, bool includeSubtree, std::int64_t threshold, std::int64_t delta);
  void shiftSubtree(std::int32_t top, std::int64_t threshold, std::int64_t delta);
  void shiftOne(std::int32_t element, std::int64_t threshold, std::int64_t delta);
  ElemSpan& at(std::int32_t element) { return positions_.at(static_cast<std::size_t>(element)); }

  std::u16string document_;
  std::u16string error_;
  std::size_t errorAt_ = 0;  // where the parse that set error_ stopped
  std::vector<ElemSpan> positions_;
  Cursor cursor_;
};

}  // namespace tolvane
