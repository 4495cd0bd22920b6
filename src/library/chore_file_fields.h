#pragma once
// The records of the two chore files, each attribute and element said once
// and in the files' order: the reader and the writer both walk these
// tables. Reading searches forward, so the order is part of the format.
// Where reading has never been the mirror of writing, the row says so.
//
// A table is a function over a record (`Chore` when reading, `const Chore`
// when writing) and a walker that offers one call per kind of field.

#include <string_view>

#include "library/chore.h"
#include "library/chore_list.h"

namespace tolvane::chore_fields {

constexpr std::u16string_view kChoreRoot = u"Chores";
constexpr std::u16string_view kChoreRecord = u"Chore";
constexpr std::u16string_view kListRoot = u"ChoreLists";
constexpr std::u16string_view kListRecord = u"Chorelist";
// Each step starts with the name of its chore; its own elements follow.
constexpr std::u16string_view kStepChore = u"choreName";

// How a flag stored as 0 or 1 reads other values: each flag has always read
// them its own way.
enum class Truth { one, nonZero, positive };

struct Rule {
  // Reading: when false the element is not looked for and the field is 0.
  bool lookFor = true;
  // Reading: a missing element makes the field 0 instead of leaving it.
  bool zeroWhenMissing = false;
  // Writing: when false the element is left out.
  bool written = true;
};

template <typename C, typename Walker>
void choreAttributes(C& c, Walker& w) {
  w.attribute(u"name", c.name);
}

template <typename C, typename Walker>
void choreElements(C& c, Walker& w) {
  w.text(u"verb", c.verb);
  w.number(u"type", c.type);
  w.text(u"object", c.object);
  w.text(u"siteName", c.siteName);
  w.text(u"cmdArgs", c.cmdArgs);
  w.text(u"initialDir", c.initialDir);
  w.text(u"procName", c.procName);
  w.flag(u"startNew", c.startNew, Truth::one);
  w.text(u"mainWndCls", c.mainWndCls);
  w.text(u"mainWndTxt", c.mainWndTxt);
  w.flag(u"partialMatch", c.partialMatch, Truth::one);
  w.number(u"wndMsg", c.wndMsg);
  w.number(u"wParam", c.wParam);
  w.number(u"lParam", c.lParam);
  // Kept only for the position operation, but read wherever it stands (the
  // operation's code comes later in the file).
  w.position(u"winPos", c.winPos, {.written = c.notifyCode == WINOP_POSITION});
  w.text(u"menuOption", c.menuOption);
  w.number(u"menuID", c.menuID);
  w.hotKey(u"menuSimKey", c.menuSimKey);
  // Without a key to simulate there is nothing to repeat or to follow.
  const bool keyed = c.menuSimKey.isSet();
  w.number(u"keyRepeat", c.keyRepeat, {.lookFor = keyed});
  w.flag(u"hitEnter", c.hitEnter, Truth::nonZero, {.lookFor = keyed});
  w.text(u"ctrlWndCls", c.ctrlWndCls);
  w.text(u"ctrlWndTxt", c.ctrlWndTxt);
  w.number(u"notifyCode", c.notifyCode);
  w.number(u"newWindow", c.newWindow);
  w.hotKey(u"hotKey", c.hotKey);
  w.number(u"fileOpType", c.fileOp.fileOpType);
  w.text(u"fileOpDest", c.fileOp.fileOpDest);
  w.flag(u"fileOpConfirm", c.fileOp.fileOpConfirm, Truth::positive);
  w.items(u"fileOpSource", u"fileOpSourceItem", c.fileOp.fileOpSource);
}

// After kStepChore. A step keeps no time limit of its chore's.
template <typename C, typename Walker>
void stepElements(C& step, Walker& w) {
  w.number(u"compType", step.compType);
  w.text(u"compData", step.compData);
  w.hotKey(u"hotKeyChore", step.hotKeyChore);
  w.flag(u"partialMatch", step.stepPartialMatch, Truth::one);
  w.number(u"timeout", step.timeout, {.zeroWhenMissing = true});
  w.flag(u"continueOnTimeout", step.continueOnTimeout, Truth::one, {.zeroWhenMissing = true});
}

template <typename L, typename Walker>
void listAttributes(L& list, Walker& w) {
  w.attribute(u"name", list.name);
  w.attribute(u"hotKey", list.hotKey);
}

// After the steps.
template <typename S, typename Walker>
void scheduleElements(S& s, Walker& w) {
  w.flag(u"runWindows", s.runWindows, Truth::nonZero);
  w.timeOfDay(u"runTimeOfDay", s.hasRunTimeOfDay, s.runTimeOfDay);
  w.flag(u"runEveryday", s.runEveryday, Truth::nonZero);
  w.text(u"runDayOfWeek", s.runDayOfWeek);
  w.date(u"runDate", s.hasRunDate, s.runDate);
  w.number(u"runPostDelay", s.runPostDelay);
  w.number(u"runRepeatCount", s.runRepeatCount);
  w.text(u"nextChorelist", s.nextChorelist);
  w.flag(u"alwaysRun", s.alwaysRun, Truth::nonZero);
  // Only when set, so that files of lists without it keep their bytes.
  w.flag(u"runMissed", s.runMissed, Truth::nonZero, {.written = s.runMissed});
}

}  // namespace tolvane::chore_fields
