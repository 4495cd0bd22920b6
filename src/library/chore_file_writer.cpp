#include "library/chore_file_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "base/format.h"
#include "library/xml_doc.h"

namespace tolvane {
namespace {

std::u16string number(std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::u16string(digits, result.ptr);
}

// Sizes of a typical record in the files, in code units and elements.
constexpr std::size_t kTypicalChoreLength = 900;
constexpr std::size_t kChoreElements = 29;
constexpr std::size_t kTypicalListLength = 400;
constexpr std::size_t kListElements = 10;
constexpr std::size_t kTypicalStepLength = 220;
constexpr std::size_t kStepElements = 7;

const char16_t* flag(bool value) { return value ? u"1" : u"0"; }

// Adds one child element after another, in the files' fixed order.
class Writer {
 public:
  explicit Writer(CXmlDoc& doc) : doc_(doc) {}
  void text(std::u16string_view name, std::u16string_view value) { doc_.addElement(name, value); }
  void integer(std::u16string_view name, std::int64_t value) { doc_.addElement(name, number(value)); }
  void boolean(std::u16string_view name, bool value) { doc_.addElement(name, flag(value)); }

 private:
  CXmlDoc& doc_;
};

void writeChore(CXmlDoc& doc, const Chore& c) {
  doc.addElement(u"Chore", u"");
  doc.setAttribute(doc.cursor().mainPos, u"name", c.name);
  doc.enterChild();
  Writer w(doc);
  w.text(u"verb", c.verb);
  w.integer(u"type", c.type);
  w.text(u"object", c.object);
  w.text(u"siteName", c.siteName);
  w.text(u"cmdArgs", c.cmdArgs);
  w.text(u"initialDir", c.initialDir);
  w.text(u"procName", c.procName);
  w.boolean(u"startNew", c.startNew);
  w.text(u"mainWndCls", c.mainWndCls);
  w.text(u"mainWndTxt", c.mainWndTxt);
  w.boolean(u"partialMatch", c.partialMatch);
  w.integer(u"wndMsg", c.wndMsg);
  w.integer(u"wParam", c.wParam);
  w.integer(u"lParam", c.lParam);
  if (c.notifyCode == WINOP_POSITION) {
    // A position chore that never had a rectangle stays without one.
    const auto& p = c.winPos;
    w.text(u"winPos", p ? formatText(u"%d,%d,%d,%d", p->left, p->top, p->right, p->bottom) : std::u16string());
  }
  w.text(u"menuOption", c.menuOption);
  w.integer(u"menuID", c.menuID);
  w.integer(u"menuSimKey", c.menuSimKey.packed());
  w.integer(u"keyRepeat", c.keyRepeat);
  w.boolean(u"hitEnter", c.hitEnter);
  w.text(u"ctrlWndCls", c.ctrlWndCls);
  w.text(u"ctrlWndTxt", c.ctrlWndTxt);
  w.integer(u"notifyCode", c.notifyCode);
  w.integer(u"newWindow", c.newWindow);
  w.integer(u"hotKey", c.hotKey.packed());
  w.integer(u"fileOpType", c.fileOp.fileOpType);
  w.text(u"fileOpDest", c.fileOp.fileOpDest);
  w.boolean(u"fileOpConfirm", c.fileOp.fileOpConfirm);
  for (const auto& source : c.fileOp.fileOpSource) {
    doc.addElement(u"fileOpSource", u"");
    doc.enterChild();
    doc.addElement(u"fileOpSourceItem", source);
    doc.leaveElement();
  }
  doc.leaveElement();
}

std::u16string timeOfDayText(const ChoreSchedule& s, const Clock& clock) {
  if (!s.hasRunTimeOfDay) return {};
  const LocalTime t = clock.toLocal(s.runTimeOfDay);
  return formatText(u"%02d%02d%02d", t.hour, t.minute, t.second);
}

std::u16string dateText(const ChoreSchedule& s, const Clock& clock) {
  if (!s.hasRunDate) return {};
  const LocalTime t = clock.toLocal(s.runDate);
  return formatText(u"%02d%02d%04d", t.day, t.month, t.year);
}

void writeChoreList(CXmlDoc& doc, const ChoreList& list, const Clock& clock) {
  doc.addElement(u"Chorelist", u"");
  const auto element = doc.cursor().mainPos;
  doc.setAttribute(element, u"name", list.name);
  doc.setAttribute(element, u"hotKey", number(list.hotKey.packed()));
  doc.enterChild();
  Writer w(doc);
  for (const auto& step : list.steps) {
    w.text(u"choreName", step.name);
    w.integer(u"compType", step.compType);
    w.text(u"compData", step.compData);
    w.integer(u"hotKeyChore", step.hotKeyChore.packed());
    w.boolean(u"partialMatch", step.stepPartialMatch);
    w.integer(u"timeout", step.timeout);
    w.boolean(u"continueOnTimeout", step.continueOnTimeout);
  }
  const ChoreSchedule& s = list.schedule;
  w.boolean(u"runWindows", s.runWindows);
  w.text(u"runTimeOfDay", timeOfDayText(s, clock));
  w.boolean(u"runEveryday", s.runEveryday);
  w.text(u"runDayOfWeek", s.runDayOfWeek);
  w.text(u"runDate", dateText(s, clock));
  w.integer(u"runPostDelay", s.runPostDelay);
  w.integer(u"runRepeatCount", s.runRepeatCount);
  w.text(u"nextChorelist", s.nextChorelist);
  w.boolean(u"alwaysRun", s.alwaysRun);
  // Only when set, so that files of lists without it keep their bytes.
  if (s.runMissed) w.boolean(u"runMissed", true);
  doc.leaveElement();
}

}  // namespace

std::u16string choreFileText(std::span<const Chore> chores) {
  CXmlDoc doc;
  doc.reserve(chores.size() * kTypicalChoreLength + 32, chores.size() * kChoreElements + 1);
  doc.addElement(u"Chores", u"");
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
  doc.addElement(u"ChoreLists", u"");
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
