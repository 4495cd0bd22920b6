#include "library/chore_file_format.h"

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

// Reads the child elements of one record, forward only, as the format was
// always read: an element that is missing leaves its field as it is.
// `boundary`, when set, is the first element that belongs to the next
// step, so an optional element missing from one step is never taken from
// the next.
class Reader {
 public:
  explicit Reader(CXmlDoc& doc) : doc_(doc) {}

  void setBoundary(std::int32_t boundary) { boundary_ = boundary; }

  bool find(std::u16string_view name) {
    const auto saved = doc_.cursor();
    if (!doc_.findChildElement(name)) return false;
    if (boundary_ != 0 && doc_.cursor().childPos >= boundary_) {
      doc_.setCursor(saved);
      return false;
    }
    return true;
  }
  void text(std::u16string_view name, std::u16string& field) {
    if (find(name)) field = doc_.childText();
  }
  template <typename T>
  void integer(std::u16string_view name, T& field) {
    if (find(name)) field = static_cast<T>(doc_.childInt());
  }
  // True only for the value 1.
  void one(std::u16string_view name, bool& field) {
    if (find(name)) field = doc_.childInt() == 1;
  }
  void nonZero(std::u16string_view name, bool& field) {
    if (find(name)) field = doc_.childInt() != 0;
  }
  void hotKey(std::u16string_view name, HotKeyCode& field) {
    if (find(name)) field = HotKeyCode::fromPacked(doc_.childInt());
  }

 private:
  CXmlDoc& doc_;
  std::int32_t boundary_ = 0;
};

Chore readChore(CXmlDoc& doc) {
  Chore c;
  c.name = doc.childAttribute(u"name");
  doc.enterChild();
  Reader r(doc);
  r.text(u"verb", c.verb);
  r.integer(u"type", c.type);
  r.text(u"object", c.object);
  r.text(u"siteName", c.siteName);
  r.text(u"cmdArgs", c.cmdArgs);
  r.text(u"initialDir", c.initialDir);
  r.text(u"procName", c.procName);
  r.one(u"startNew", c.startNew);
  r.text(u"mainWndCls", c.mainWndCls);
  r.text(u"mainWndTxt", c.mainWndTxt);
  r.one(u"partialMatch", c.partialMatch);
  r.integer(u"wndMsg", c.wndMsg);
  r.integer(u"wParam", c.wParam);
  r.integer(u"lParam", c.lParam);
  if (r.find(u"winPos")) c.winPos = parseWindowPosition(doc.childText());
  r.text(u"menuOption", c.menuOption);
  r.integer(u"menuID", c.menuID);
  r.hotKey(u"menuSimKey", c.menuSimKey);
  if (c.menuSimKey.virtualKey != 0) {
    r.integer(u"keyRepeat", c.keyRepeat);
    r.nonZero(u"hitEnter", c.hitEnter);
  } else {
    c.keyRepeat = 0;
  }
  r.text(u"ctrlWndCls", c.ctrlWndCls);
  r.text(u"ctrlWndTxt", c.ctrlWndTxt);
  r.integer(u"notifyCode", c.notifyCode);
  r.integer(u"newWindow", c.newWindow);
  r.hotKey(u"hotKey", c.hotKey);
  r.integer(u"fileOpType", c.fileOp.fileOpType);
  r.text(u"fileOpDest", c.fileOp.fileOpDest);
  if (r.find(u"fileOpConfirm")) c.fileOp.fileOpConfirm = doc.childInt() > 0;
  while (r.find(u"fileOpSource")) {
    doc.enterChild();
    std::u16string source;
    if (doc.findChildElement(u"fileOpSourceItem")) source = doc.childText();
    doc.leaveElement();
    c.fileOp.fileOpSource.push_back(std::move(source));
  }
  doc.leaveElement();
  return c;
}

std::int32_t nextStepStart(CXmlDoc& doc) {
  const auto saved = doc.cursor();
  const std::int32_t next = doc.findChildElement(u"choreName") ? doc.cursor().childPos : 0;
  doc.setCursor(saved);
  return next;
}

void readSchedule(Reader& r, CXmlDoc& doc, ChoreSchedule& s, int year, const Clock& clock) {
  r.nonZero(u"runWindows", s.runWindows);
  if (r.find(u"runTimeOfDay")) {
    const std::u16string text = doc.childText();
    if (!text.empty()) {
      const auto time = parseTimeOfDay(text, year, clock);
      s.hasRunTimeOfDay = time.has_value();
      s.runTimeOfDay = time.value_or(0);
    }
  }
  r.nonZero(u"runEveryday", s.runEveryday);
  r.text(u"runDayOfWeek", s.runDayOfWeek);
  if (r.find(u"runDate")) {
    const std::u16string text = doc.childText();
    if (!text.empty()) {
      const auto date = parseRunDate(text, clock);
      s.hasRunDate = date.has_value();
      s.runDate = date.value_or(0);
    }
  }
  r.integer(u"runPostDelay", s.runPostDelay);
  r.integer(u"runRepeatCount", s.runRepeatCount);
  r.text(u"nextChorelist", s.nextChorelist);
  r.nonZero(u"alwaysRun", s.alwaysRun);
  r.nonZero(u"runMissed", s.runMissed);
}

ChoreList readChoreList(CXmlDoc& doc, const ChoreLookup& findChore, int year, const Clock& clock,
                        std::vector<DroppedStep>& dropped) {
  ChoreList list;
  list.name = doc.childAttribute(u"name");
  list.hotKey = HotKeyCode::fromPacked(xml::toInt(doc.childAttribute(u"hotKey")));
  doc.enterChild();
  Reader r(doc);
  while (doc.findChildElement(u"choreName")) {
    const std::u16string choreName = doc.childText();
    const Chore* chore = findChore(choreName);
    if (chore == nullptr) {
      dropped.push_back({list.name, choreName});
      continue;
    }
    Chore step = *chore;
    step.completionEvent = nullptr;
    r.setBoundary(nextStepStart(doc));
    r.integer(u"compType", step.compType);
    r.text(u"compData", step.compData);
    r.hotKey(u"hotKeyChore", step.hotKeyChore);
    r.one(u"partialMatch", step.stepPartialMatch);
    step.timeout = 0;
    r.integer(u"timeout", step.timeout);
    step.continueOnTimeout = false;
    r.one(u"continueOnTimeout", step.continueOnTimeout);
    r.setBoundary(0);
    list.steps.push_back(std::move(step));
  }
  readSchedule(r, doc, list.schedule, year, clock);
  doc.leaveElement();
  return list;
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
  if (!doc.loadText(std::move(text))) {
    result.error = doc.error();
    result.errorAt = doc.errorPosition();
    return result;
  }
  result.parsed = true;
  while (doc.findChildElement(u"Chore")) result.chores.push_back(readChore(doc));
  return result;
}

ParsedChoreLists parseChoreListFile(std::u16string text, const ChoreLookup& findChore, const Clock& clock) {
  ParsedChoreLists result;
  CXmlDoc doc;
  if (!doc.loadText(std::move(text))) {
    result.error = doc.error();
    result.errorAt = doc.errorPosition();
    return result;
  }
  result.parsed = true;
  const int year = clock.toLocal(clock.now()).year;
  while (doc.findChildElement(u"Chorelist"))
    result.lists.push_back(readChoreList(doc, findChore, year, clock, result.droppedSteps));
  return result;
}

}  // namespace tolvane
