#include "library/chore_file_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "base/format.h"
#include "library/chore_file_fields.h"
#include "library/xml_doc.h"

namespace tolvane {
namespace {

// Sizes of a typical record in the files, in code units and elements.
constexpr std::size_t kTypicalChoreLength = 900;
constexpr std::size_t kChoreElements = 29;
constexpr std::size_t kTypicalListLength = 400;
constexpr std::size_t kListElements = 10;
constexpr std::size_t kTypicalStepLength = 220;
constexpr std::size_t kStepElements = 7;

// Walks the tables of chore_file_fields.h, adding one child element after
// another in the files' fixed order.
class FieldWriter {
 public:
  explicit FieldWriter(CXmlDoc& doc, const Clock* clock = nullptr) : doc_(doc), clock_(clock) {}

  // Of the element just added.
  void attribute(std::u16string_view name, const std::u16string& value) {
    doc_.setAttribute(doc_.cursor().mainPos, name, value);
  }
  void attribute(std::u16string_view name, HotKeyCode value) {
    doc_.setAttribute(doc_.cursor().mainPos, name, decimal(value.packed()));
  }

  void text(std::u16string_view name, std::u16string_view value, chore_fields::Rule rule = {}) {
    if (rule.written) doc_.addElement(name, value);
  }
  void number(std::u16string_view name, std::int64_t value, chore_fields::Rule rule = {}) {
    text(name, decimal(value), rule);
  }
  void flag(std::u16string_view name, bool value, chore_fields::Truth, chore_fields::Rule rule = {}) {
    text(name, value ? u"1" : u"0", rule);
  }
  void hotKey(std::u16string_view name, HotKeyCode value, chore_fields::Rule rule = {}) {
    number(name, value.packed(), rule);
  }
  // A position chore that never had a rectangle stays without one.
  void position(std::u16string_view name, const std::optional<WindowPosition>& p, chore_fields::Rule rule) {
    text(name, p ? formatText(u"%d,%d,%d,%d", p->left, p->top, p->right, p->bottom) : std::u16string(), rule);
  }
  void items(std::u16string_view name, std::u16string_view item, const std::vector<std::u16string>& values) {
    for (const auto& value : values) {
      doc_.addElement(name, u"");
      doc_.enterChild();
      doc_.addElement(item, value);
      doc_.leaveElement();
    }
  }
  // Times of day and dates are written in local time; empty when not set.
  void timeOfDay(std::u16string_view name, bool has, std::int64_t value) {
    text(name, localText(has, value, [](const LocalTime& t) {
           return formatText(u"%02d%02d%02d", t.hour, t.minute, t.second);
         }));
  }
  void date(std::u16string_view name, bool has, std::int64_t value) {
    text(name, localText(has, value, [](const LocalTime& t) {
           return formatText(u"%02d%02d%04d", t.day, t.month, t.year);
         }));
  }

 private:
  template <typename Format>
  std::u16string localText(bool has, std::int64_t value, Format format) const {
    return has ? format(clock_->toLocal(value)) : std::u16string();
  }
  static std::u16string decimal(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::u16string(digits, result.ptr);
  }

  CXmlDoc& doc_;
  const Clock* clock_;
};

void writeChore(CXmlDoc& doc, const Chore& c) {
  doc.addElement(chore_fields::kChoreRecord, u"");
  FieldWriter w(doc);
  chore_fields::choreAttributes(c, w);
  doc.enterChild();
  chore_fields::choreElements(c, w);
  doc.leaveElement();
}

void writeChoreList(CXmlDoc& doc, const ChoreList& list, const Clock& clock) {
  doc.addElement(chore_fields::kListRecord, u"");
  FieldWriter w(doc, &clock);
  chore_fields::listAttributes(list, w);
  doc.enterChild();
  for (const auto& step : list.steps) {
    w.text(chore_fields::kStepChore, step.name);
    chore_fields::stepElements(step, w);
  }
  chore_fields::scheduleElements(list.schedule, w);
  doc.leaveElement();
}

}  // namespace

std::u16string choreFileText(std::span<const Chore> chores) {
  CXmlDoc doc;
  doc.reserve(chores.size() * kTypicalChoreLength + 32, chores.size() * kChoreElements + 1);
  doc.addElement(chore_fields::kChoreRoot, u"");
  doc.enterChild();
  for (const auto& chore : chores) writeChore(doc, chore);
  return doc.takeText();
}

std::u16string choreListFileText(std::span<const ChoreList> lists, const Clock& clock) {
  std::size_t steps = 0;
  for (const auto& list : lists) steps += list.steps.size();
  CXmlDoc doc;
  doc.reserve(lists.size() * kTypicalListLength + steps * kTypicalStepLength + 32,
              lists.size() * kListElements + steps * kStepElements + 1);
  doc.addElement(chore_fields::kListRoot, u"");
  doc.enterChild();
  for (const auto& list : lists) writeChoreList(doc, list, clock);
  return doc.takeText();
}

std::string toFileBytes(std::u16string_view text) {
  std::string bytes;
  bytes.resize(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return bytes;
}

FileText fromFileBytes(std::string_view bytes) {
  const std::size_t units = bytes.size() / 2;
  FileText result;
  result.text.resize(units);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(result.text.data(), bytes.data(), units * 2);
  } else {
    for (std::size_t i = 0; i < units; ++i)
      result.text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                             (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  const std::size_t length = std::min(result.text.find(u'\0'), units);
  result.text.resize(length);
  result.converted = units - length <= 20;
  return result;
}

}  // namespace tolvane
