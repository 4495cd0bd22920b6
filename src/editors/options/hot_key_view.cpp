#include "editors/options/hot_key_view.h"

#include <algorithm>

#include "base/format.h"
#include "library/chore_types.h"

namespace tolvane {
namespace {

HotKeyCode codeOf(const HotKeyMatch& match) { return {match.virtualKey, match.modifiers}; }

HotKeyRow listRow(const HotKeyMatch& match, const std::u16string& key) {
  if (!match.isStep) {
    return {key, {}, match.name, formatText(u"%s [ChoreList] %s", key, match.name),
            {HotKeyTarget::Kind::List, match.name, {}, codeOf(match)}};
  }
  return {key, {}, formatText(u"%s [comp] %s", match.name, match.stepChore),
          formatText(u"%s [ChoreList] %s [comp] %s", key, match.name, match.stepChore),
          {HotKeyTarget::Kind::Step, match.name, match.stepChore, codeOf(match)}};
}

}  // namespace

const std::u16string& columnText(const HotKeyRow& row, HotKeyColumn column) {
  switch (column) {
    case HotKeyColumn::Chore:
      return row.chore;
    case HotKeyColumn::List:
      return row.list;
    case HotKeyColumn::Key:
      break;
  }
  return row.key;
}

std::vector<HotKeyRow> hotKeyRows(const AssignedHotKeys& keys, KeyNames& keyNames) {
  std::vector<HotKeyRow> rows;
  for (const HotKeyMatch& match : keys.chores) {
    const std::u16string key = keyNames.keyName(codeOf(match).controlValue());
    rows.push_back({key, match.name, {}, formatText(u"%s [Chore] %s", key, match.name),
                    {HotKeyTarget::Kind::Chore, match.name, {}, codeOf(match)}});
  }
  for (const HotKeyMatch& match : keys.lists) {
    rows.push_back(listRow(match, keyNames.keyName(codeOf(match).controlValue())));
  }
  return rows;
}

void HotKeyRowOrder::sort(std::vector<HotKeyRow>& rows, HotKeyColumn column) {
  ascending_ = !ascending_;
  std::stable_sort(rows.begin(), rows.end(), [&](const HotKeyRow& a, const HotKeyRow& b) {
    return ascending_ ? columnText(a, column) < columnText(b, column) : columnText(b, column) < columnText(a, column);
  });
}

int stepIndexOf(const ChoreList& list, const HotKeyTarget& target) {
  int runsChore = -1;
  for (std::size_t i = 0; i < list.steps.size(); ++i) {
    const Chore& step = list.steps[i];
    if (step.name != target.stepChore) continue;
    if (step.compType == WAIT_HOTKEY && sameHookKey(step.hotKeyChore, target.key)) return static_cast<int>(i);
    if (runsChore < 0) runsChore = static_cast<int>(i);
  }
  return runsChore;
}

Submission<HotKeyCode> decideMasterKey(HotKeyCode entered, const AssignedHotKeys& keys, KeyNames& keyNames) {
  if (!entered.isSet()) return kStandardMasterKey;
  if (sameHookKey(entered, kStandardMasterKey)) return entered;
  std::vector<HotKeyMatch> held = keys.chores;
  held.insert(held.end(), keys.lists.begin(), keys.lists.end());
  const auto owner = std::find_if(held.begin(), held.end(),
                                  [&](const HotKeyMatch& match) { return sameHookKey(codeOf(match), entered); });
  if (owner == held.end()) return entered;
  return Refusal::clearing(hotKeyTakenText(keyNames.keyName(entered.controlValue()), owner->name),
                           HotKeysField::MasterKey);
}

}  // namespace tolvane
