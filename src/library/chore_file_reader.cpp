#include "library/chore_file_format.h"

#include "library/chore_file_fields.h"
#include "library/xml_doc.h"
#include "library/xml_text.h"

namespace tolvane {
namespace {

// One "%Nd" conversion of scanf: white space skipped, then at most `width`
// characters of an optional sign and digits, at least one digit.
bool scanNumber(std::u16string_view text, std::size_t& pos, std::size_t width, int& value) {
  while (pos < text.size() && xml::isCSpace(text[pos])) ++pos;
  const std::size_t end = std::min(text.size(), pos + width);
  bool negative = false;
  if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) negative = text[pos++] == u'-';
  const std::size_t digitsStart = pos;
  int result = 0;
  for (; pos < end && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) result = result * 10 + (text[pos] - u'0');
  if (pos == digitsStart) return false;
  value = negative ? -result : result;
  return true;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Walks the tables of chore_file_fields.h over the record under the
// cursor, forward only, as the format was always read: an element that is
// missing leaves its field as it is (unless its rule says otherwise).
// `boundary`, when set, is the first element that belongs to the next
// step, so an optional element missing from one step is never taken from
// the next.
class FieldReader {
 public:
  // Times of day fall on 2 February of `year`.
  explicit FieldReader(CXmlDoc& doc, const Clock* clock = nullptr, int year = 0)
      : doc_(doc), clock_(clock), year_(year) {}

  void setBoundary(std::int32_t boundary) { boundary_ = boundary; }

  void attribute(std::u16string_view name, std::u16string& field) { field = doc_.childAttribute(name); }
  void attribute(std::u16string_view name, HotKeyCode& field) {
    field = HotKeyCode::fromPacked(xml::toInt(doc_.childAttribute(name)));
  }

  void text(std::u16string_view name, std::u16string& field, chore_fields::Rule rule = {}) {
    if (look(name, field, rule)) field = doc_.childText();
  }
  template <typename T>
  void number(std::u16string_view name, T& field, chore_fields::Rule rule = {}) {
    if (look(name, field, rule)) field = static_cast<T>(doc_.childInt());
  }
  void flag(std::u16string_view name, bool& field, chore_fields::Truth truth, chore_fields::Rule rule = {}) {
    if (!look(name, field, rule)) return;
    const std::int32_t value = doc_.childInt();
    switch (truth) {
      case chore_fields::Truth::one: field = value == 1; break;
      case chore_fields::Truth::nonZero: field = value != 0; break;
      case chore_fields::Truth::positive: field = value > 0; break;
    }
  }
  void hotKey(std::u16string_view name, HotKeyCode& field, chore_fields::Rule rule = {}) {
    if (look(name, field, rule)) field = HotKeyCode::fromPacked(doc_.childInt());
  }
  void position(std::u16string_view name, std::optional<WindowPosition>& field, chore_fields::Rule rule = {}) {
    if (look(name, field, rule)) field = parseWindowPosition(doc_.childText());
  }
  // Every element of that name contributes the text of its item, in order.
  void items(std::u16string_view name, std::u16string_view item, std::vector<std::u16string>& field) {
    while (find(name)) {
      doc_.enterChild();
      std::u16string text;
      if (doc_.findChildElement(item)) text = doc_.childText();
      doc_.leaveElement();
      field.push_back(std::move(text));
    }
  }
  // Present but empty leaves the time unset; a time that is not one, too.
  void timeOfDay(std::u16string_view name, bool& has, std::int64_t& field) {
    readTime(name, has, field, [&](std::u16string_view text) { return parseTimeOfDay(text, year_, *clock_); });
  }
  void date(std::u16string_view name, bool& has, std::int64_t& field) {
    readTime(name, has, field, [&](std::u16string_view text) { return parseRunDate(text, *clock_); });
  }

 private:
  bool find(std::u16string_view name) {
    const auto saved = doc_.cursor();
    if (!doc_.findChildElement(name)) return false;
    if (boundary_ != 0 && doc_.cursor().childPos >= boundary_) {
      doc_.setCursor(saved);
      return false;
    }
    return true;
  }
  // Whether the element is there to be read; applies the rule when not.
  template <typename T>
  bool look(std::u16string_view name, T& field, chore_fields::Rule rule) {
    if (rule.lookFor && find(name)) return true;
    if (!rule.lookFor || rule.zeroWhenMissing) field = T{};
    return false;
  }
  template <typename Parse>
  void readTime(std::u16string_view name, bool& has, std::int64_t& field, Parse parse) {
    if (!find(name)) return;
    const std::u16string text = doc_.childText();
    if (text.empty()) return;
    const auto time = parse(text);
    has = time.has_value();
    field = time.value_or(0);
  }

  CXmlDoc& doc_;
  const Clock* clock_;
  int year_;
  std::int32_t boundary_ = 0;
};

Chore readChore(CXmlDoc& doc) {
  Chore c;
  FieldReader r(doc);
  chore_fields::choreAttributes(c, r);
  doc.enterChild();
  chore_fields::choreElements(c, r);
  doc.leaveElement();
  return c;
}

std::int32_t nextStepStart(CXmlDoc& doc) {
  const auto saved = doc.cursor();
  const std::int32_t next = doc.findChildElement(chore_fields::kStepChore) ? doc.cursor().childPos : 0;
  doc.setCursor(saved);
  return next;
}

ChoreList readChoreList(CXmlDoc& doc, const ChoreLookup& findChore, const Clock& clock, int year,
                        std::vector<DroppedStep>& dropped) {
  ChoreList list;
  FieldReader r(doc, &clock, year);
  chore_fields::listAttributes(list, r);
  doc.enterChild();
  while (doc.findChildElement(chore_fields::kStepChore)) {
    const std::u16string choreName = doc.childText();
    const Chore* chore = findChore(choreName);
    if (chore == nullptr) {
      dropped.push_back({list.name, choreName});
      continue;
    }
    Chore step = *chore;
    step.completionEvent = nullptr;
    r.setBoundary(nextStepStart(doc));
    chore_fields::stepElements(step, r);
    r.setBoundary(0);
    list.steps.push_back(std::move(step));
  }
  chore_fields::scheduleElements(list.schedule, r);
  doc.leaveElement();
  return list;
}

// The parser's error goes into `result` when the text does not parse.
template <typename Parsed>
bool load(CXmlDoc& doc, std::u16string text, Parsed& result) {
  result.parsed = doc.loadText(std::move(text));
  if (!result.parsed) {
    result.error = doc.error();
    result.errorAt = doc.errorPosition();
  }
  return result.parsed;
}

}  // namespace

std::optional<WindowPosition> parseWindowPosition(std::u16string_view text) {
  constexpr std::size_t kLongestCoordinate = 11;  // "-2147483648"
  std::int32_t values[4] = {};
  int count = 0;
  std::size_t pos = 0;
  while (count < 4 && pos <= text.size()) {
    std::size_t comma = text.find(u',', pos);
    if (comma == std::u16string_view::npos) comma = text.size();
    const std::u16string_view piece = text.substr(pos, comma - pos);
    pos = comma + 1;
    if (piece.empty()) continue;
    // A monitor left of or above the main one has negative coordinates,
    // most of them five characters long ("-1920"): only a piece longer than
    // any 32-bit number makes the position unreadable.
    if (piece.size() > kLongestCoordinate) return WindowPosition::invalid();
    values[count++] = xml::toInt(piece);
  }
  if (count < 4) return std::nullopt;
  return WindowPosition{values[0], values[1], values[2], values[3]};
}

std::optional<std::int64_t> parseTimeOfDay(std::u16string_view text, int year, const Clock& clock) {
  std::size_t pos = 0;
  int hour = 0, minute = 0, second = 0;
  if (!scanNumber(text, pos, 2, hour) || !scanNumber(text, pos, 2, minute) || !scanNumber(text, pos, 2, second))
    return std::nullopt;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
  LocalTime local;
  local.year = year;
  local.month = 2;
  local.day = 2;
  local.hour = hour;
  local.minute = minute;
  local.second = second;
  return clock.fromLocal(local);
}

std::optional<std::int64_t> parseRunDate(std::u16string_view text, const Clock& clock) {
  std::size_t pos = 0;
  int day = 0, month = 0, year = 0;
  if (!scanNumber(text, pos, 2, day) || !scanNumber(text, pos, 2, month) || !scanNumber(text, pos, 4, year))
    return std::nullopt;
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return std::nullopt;
  LocalTime local;
  local.year = year;
  local.month = month;
  local.day = day;
  return clock.fromLocal(local);
}

ParsedChores parseChoreFile(std::u16string text) {
  ParsedChores result;
  CXmlDoc doc;
  if (!load(doc, std::move(text), result)) return result;
  while (doc.findChildElement(chore_fields::kChoreRecord)) result.chores.push_back(readChore(doc));
  return result;
}

ParsedChoreLists parseChoreListFile(std::u16string text, const ChoreLookup& findChore, const Clock& clock) {
  ParsedChoreLists result;
  CXmlDoc doc;
  if (!load(doc, std::move(text), result)) return result;
  const int year = clock.toLocal(clock.now()).year;
  while (doc.findChildElement(chore_fields::kListRecord))
    result.lists.push_back(readChoreList(doc, findChore, clock, year, result.droppedSteps));
  return result;
}

}  // namespace tolvane
