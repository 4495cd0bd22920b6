#include "tools/tolvanectl/lint.h"

#include <algorithm>
#include <unordered_map>

#include "base/format.h"
#include "base/text.h"
#include "engine/hotkeys/hot_key_matches.h"
#include "engine/hotkeys/key_decision.h"
#include "engine/scheduler/schedule_candidates.h"
#include "engine/targeting/window_matching.h"
#include "library/chore_types.h"

namespace tolvane {
namespace {

class Findings {
 public:
  void add(std::u16string_view record, std::u16string_view text) {
    lines_.push_back(std::u16string(record) + u": " + std::u16string(text));
  }
  void addLine(std::u16string line) { lines_.push_back(std::move(line)); }
  std::vector<std::u16string> take() { return std::move(lines_); }

 private:
  std::vector<std::u16string> lines_;
};

std::u16string choreLabel(const Chore& chore) { return formatText(u"chore \"%s\"", chore.name); }
std::u16string listLabel(const ChoreList& list) { return formatText(u"list \"%s\"", list.name); }

// The hook's order: the master key first, then the chores, then the lists'
// own keys; a waiting step is signalled only when none of them has its key.
// Waiting steps share keys freely, since the hook signals every one.
class HotKeyLint {
 public:
  HotKeyLint(const LintContext& context, Findings& findings) : context_(context), findings_(findings) {}

  void claim(const std::u16string& record, const std::u16string& owner, HotKeyCode key) {
    if (isFree(record, key)) owners_.emplace(asHookKey(key).packed(), owner);
  }
  void wait(const std::u16string& record, HotKeyCode key) { isFree(record, key); }

 private:
  bool isFree(const std::u16string& record, HotKeyCode key) {
    if (!key.isSet()) return false;
    const std::u16string keyText = context_.keyNames.keyName(key.controlValue());
    if (!canBeHotKey(key.virtualKey, (key.modifiers & (kHotKeyControl | kHotKeyAlt)) != 0)) {
      findings_.add(record, formatText(u"Hotkey: %s can never fire: it needs Ctrl or Alt, or one of F1 to F24.",
                                       keyText));
      return false;
    }
    if (const std::u16string* owner = ownerOf(key)) {
      findings_.add(record, hotKeyTakenText(keyText, *owner));
      return false;
    }
    return true;
  }

  const std::u16string* ownerOf(HotKeyCode key) const {
    static const std::u16string tolvane(kTolvaneKeyOwner);
    if (isTolvaneOwnKey(key) || (context_.masterKey && sameHookKey(key, *context_.masterKey))) return &tolvane;
    const auto it = owners_.find(asHookKey(key).packed());
    return it == owners_.end() ? nullptr : &it->second;
  }

  const LintContext& context_;
  Findings& findings_;
  std::unordered_map<std::int32_t, std::u16string> owners_;
};

void lintHotKeys(const LibraryContents& contents, const LintContext& context, Findings& findings) {
  HotKeyLint keys(context, findings);
  for (const Chore& chore : contents.chores) keys.claim(choreLabel(chore), chore.name, chore.hotKey);
  for (const ChoreList& list : contents.lists) keys.claim(listLabel(list), list.name, list.hotKey);
  for (const ChoreList& list : contents.lists) {
    for (std::size_t i = 0; i < list.steps.size(); ++i) {
      const Chore& step = list.steps[i];
      if (step.compType != WAIT_HOTKEY) continue;
      keys.wait(formatText(u"list \"%s\", step %d \"%s\"", list.name, i + 1, step.name), step.hotKeyChore);
    }
  }
}

// A list that names itself runs again by design; a loop through other
// lists runs them in turn for ever. Each loop is told once, from its
// first list in library order.
void lintNextLists(const std::vector<ChoreList>& lists, Findings& findings) {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::unordered_map<std::u16string_view, std::size_t> indexByName;  // the first of a name, as a launch finds it
  for (std::size_t i = 0; i < lists.size(); ++i) indexByName.emplace(lists[i].name, i);

  std::vector<std::size_t> next(lists.size(), kNone);
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const std::u16string& name = lists[i].schedule.nextChorelist;
    if (name.empty()) continue;
    const auto it = indexByName.find(name);
    if (it == indexByName.end()) {
      findings.add(listLabel(lists[i]),
                   formatText(u"The next chore list: \"%s\" was not found in the current chore lists.", name));
      continue;
    }
    next[i] = it->second;
  }

  // Every list is walked once: a walk stops at a list an earlier walk met.
  std::vector<std::size_t> walkOf(lists.size(), kNone);
  for (std::size_t start = 0; start < lists.size(); ++start) {
    std::size_t at = start;
    for (; at != kNone && walkOf[at] == kNone; at = next[at]) walkOf[at] = start;
    if (at == kNone || walkOf[at] != start) continue;
    std::vector<std::size_t> loop{at};
    for (std::size_t member = next[at]; member != at; member = next[member]) loop.push_back(member);
    if (loop.size() < 2) continue;
    std::rotate(loop.begin(), std::min_element(loop.begin(), loop.end()), loop.end());
    std::u16string chain;
    for (const std::size_t member : loop) chain += formatText(u"\"%s\" -> ", lists[member].name);
    chain += formatText(u"\"%s\"", lists[loop.front()].name);
    findings.add(listLabel(lists[loop.front()]), u"its next chore lists run in a loop: " + chain);
  }
}

bool namesADay(std::u16string_view days) {
  for (int day = 0; day < 7; ++day)
    if (days.find(dayToken(day)) != std::u16string_view::npos) return true;
  return false;
}

// The scheduler starts a list at its time of day on a day its day text
// names, on its date, or every day when it has neither; a time already
// passed never comes round again, unless the list catches up missed starts
// and the time lies within the days the scheduler looks back.
std::vector<std::u16string> whyNeverStarts(const ChoreSchedule& schedule, const Clock& clock) {
  std::vector<std::u16string> reasons;
  const bool hasDays = !schedule.runDayOfWeek.empty();
  if (!schedule.hasRunTimeOfDay) {
    if (hasDays || schedule.runEveryday) reasons.emplace_back(u"days without a time");
    if (schedule.hasRunDate) reasons.emplace_back(u"a date without a time");
    return reasons;
  }
  if (!hasDays && !schedule.hasRunDate) return reasons;
  if (hasDays && namesADay(schedule.runDayOfWeek)) return reasons;
  const LocalTime date = clock.toLocal(schedule.runDate);
  const std::int64_t lastChance = schedule.runMissed ? clock.now() - std::int64_t{kPassedLookBackDays} * 24 * 3600 : clock.now();
  if (schedule.hasRunDate && startTimeOn(clock, date, schedule.runTimeOfDay) > lastChance) return reasons;
  if (hasDays)
    reasons.push_back(formatText(u"the days \"%s\" name no day (sun, mon, tue, wed, thu, fri, sat)",
                                 schedule.runDayOfWeek));
  if (schedule.hasRunDate)
    reasons.push_back(formatText(u"its date %02.2d/%02.2d/%04.4d has passed", date.month, date.day, date.year));
  return reasons;
}

void lintSchedules(const LibraryContents& contents, const Clock& clock, Findings& findings) {
  for (const ChoreList& list : contents.lists) {
    const std::vector<std::u16string> reasons = whyNeverStarts(list.schedule, clock);
    if (reasons.empty()) continue;
    std::u16string text = u"its schedule can never start it: " + reasons.front();
    for (std::size_t i = 1; i < reasons.size(); ++i) text += u"; " + reasons[i];
    findings.add(listLabel(list), text);
  }
}

// Chores and lists share one name space; the program tells names apart
// exactly, so names that differ only in ASCII letter case are two records
// a user takes for one.
void lintNames(const LibraryContents& contents, Findings& findings) {
  struct First {
    std::u16string label;
    std::u16string_view name;
  };
  std::unordered_map<std::u16string, First> firstByFolded;
  const auto visit = [&](std::u16string label, std::u16string_view name) {
    const auto [it, isFirst] = firstByFolded.try_emplace(asciiLower(name), First{label, name});
    if (isFirst) return;
    if (it->second.name == name) findings.add(label, formatText(u"Name: \"%s\" is already used.", name));
    else findings.add(label, u"its name differs only in letter case from " + it->second.label);
  };
  for (const Chore& chore : contents.chores) visit(choreLabel(chore), chore.name);
  for (const ChoreList& list : contents.lists) visit(listLabel(list), list.name);
}

std::u16string windowOpNames() {
  std::u16string names;
  for (const WindowOpEntry& entry : windowOpTable()) {
    if (!names.empty()) names += u", ";
    names += entry.name;
  }
  return names;
}

void lintWindowOperations(const LibraryContents& contents, Findings& findings) {
  const std::span<const WindowOpEntry> operations = windowOpTable();
  for (const Chore& chore : contents.chores) {
    if (chore.type != CHORE_WINOP) continue;
    const bool known = std::any_of(operations.begin(), operations.end(),
                                   [&](const WindowOpEntry& entry) { return entry.value == chore.notifyCode; });
    if (!known)
      findings.add(choreLabel(chore),
                   formatText(u"window operation code %u is none of %s", chore.notifyCode, windowOpNames()));
    if (!hasWindowToLookFor(chore.mainWndTxt, chore.mainWndCls))
      findings.add(choreLabel(chore), u"no window to look for: it has neither a window title nor a class");
    if (chore.notifyCode == WINOP_POSITION && (!chore.winPos || chore.winPos->isInvalid()))
      findings.add(choreLabel(chore), u"\"Position\" has no valid window position");
  }
}

}  // namespace

std::u16string droppedStepText(const DroppedStep& dropped) {
  return formatText(u"list \"%s\": step \"%s\" dropped (no such chore)", dropped.listName, dropped.choreName);
}

std::vector<std::u16string> lintLibrary(const LibraryContents& contents, std::span<const DroppedStep> droppedSteps,
                                        const LintContext& context) {
  Findings findings;
  for (const DroppedStep& dropped : droppedSteps) findings.addLine(droppedStepText(dropped));
  lintHotKeys(contents, context, findings);
  lintNextLists(contents.lists, findings);
  lintSchedules(contents, context.clock, findings);
  lintNames(contents, findings);
  lintWindowOperations(contents, findings);
  return findings.take();
}

}  // namespace tolvane
