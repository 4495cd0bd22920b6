#include "library/summary_text.h"

#include "base/format.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kMissingChore = u"[UNKNOWN]Missing chore";

std::u16string keyText(const HotKeyCode& key, KeyNames& keyNames) { return keyNames.keyName(key.controlValue()); }

// "[verb]name", the hot-key line and the target line.
std::u16string choreLines(const Chore& chore, KeyNames& keyNames) {
  std::u16string text = formatText(u"[%s]%s", chore.verb, chore.name);
  if (chore.hotKey.isSet()) text += formatText(u"\n[HotKey]%s", keyText(chore.hotKey, keyNames));
  if (!chore.ctrlWndTxt.empty()) text += formatText(u"\n[Button]%s", chore.ctrlWndTxt);
  else if (!chore.menuOption.empty()) text += formatText(u"\n[Menu]%s", chore.menuOption);
  else if (!chore.object.empty()) text += formatText(u"\n[Object]%s", chore.object);
  return text;
}

// "%I:%M:%S %p" and "%x" of the C locale, from the clock's local fields.
std::u16string timeText(const LocalTime& t) {
  const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  return formatText(u"%02d:%02d:%02d %s", hour12, t.minute, t.second, t.hour < 12 ? u"AM" : u"PM");
}

std::u16string dateText(const LocalTime& t) { return formatText(u"%02d/%02d/%02d", t.month, t.day, t.year % 100); }

}  // namespace

std::u16string choreSummaryText(const ChoreLibrary& library, std::u16string_view choreName, KeyNames& keyNames) {
  const Chore chore = library.copyChore(choreName);
  if (chore.type == CHORE_UNKNOWN) return std::u16string(kMissingChore);
  std::u16string text = choreLines(chore, keyNames);
  text += u"\n[Chore list]";
  for (const auto& listName : library.listsUsingChore(choreName)) {
    text += u'\n';
    text += listName;
  }
  return text;
}

std::u16string stepSummaryText(const ChoreLibrary& library, const Chore& step, KeyNames& keyNames) {
  const Chore chore = library.copyChore(step.name);
  if (chore.type == CHORE_UNKNOWN) return std::u16string(kMissingChore);
  std::u16string text = choreLines(chore, keyNames);
  if (step.compType != COMP_NONE) {
    const std::u16string detail = step.compType == WAIT_HOTKEY ? keyText(step.hotKeyChore, keyNames) : step.compData;
    text += formatText(u"\n[%s]%s", completionTypeName(step.compType), detail);
  }
  return text;
}

std::u16string listSummaryText(const ChoreList& list, ListSummaryPart part, KeyNames& keyNames, const Clock& clock) {
  std::u16string text = formatText(u"%s, [Chores]%d", list.name, static_cast<int>(list.steps.size()));
  if (list.hotKey.isSet()) text += formatText(u"\n[HotKey]%s", keyText(list.hotKey, keyNames));
  const ChoreSchedule& s = list.schedule;
  if (part == ListSummaryPart::AwayFromLabel) {
    if (!s.runWindows && !s.hasRunTimeOfDay) return text;
    if (s.runWindows) text += u"\n[RunWhenTolvaneStarts]yes";
    if (s.hasRunTimeOfDay) text += formatText(u"\n[RunTOD]%s", timeText(clock.toLocal(s.runTimeOfDay)));
    if (s.runEveryday) text += u"\n[RunEveryday]yes";
    if (!s.runDayOfWeek.empty()) text += formatText(u"\n[RunDOW]%s", s.runDayOfWeek);
    if (s.hasRunDate) text += formatText(u"\n[RunDate]%s", dateText(clock.toLocal(s.runDate)));
    return text;
  }
  if (s.runPostDelay != 0) text += formatText(u"\n[PostDelay]%d", s.runPostDelay);
  if (s.runRepeatCount != 0) text += formatText(u"\n[RepeatCount]%d", s.runRepeatCount);
  if (!s.nextChorelist.empty()) text += formatText(u"\n[Next chore list]%s", s.nextChorelist);
  if (s.alwaysRun) text += u"\n[AlwaysRun]yes";
  return text;
}

}  // namespace tolvane
