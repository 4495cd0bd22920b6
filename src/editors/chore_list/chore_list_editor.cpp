#include "editors/chore_list/chore_list_editor.h"

#include <algorithm>

#include "base/format.h"
#include "library/chore_actions.h"
#include "library/xml_text.h"

namespace tolvane {

namespace {

bool isDigits(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// Chores that act on a window of their own: a step of theirs keeps its
// target whatever window its completion waits for.
bool targetsWindow(std::int32_t choreType) {
  const ChoreAction* action = choreActionOf(choreType);
  return action && action->followUp == TypeFollowUp::PickWindow;
}

StepShown emptyStep() { return {}; }

}  // namespace

bool isWindowCompletion(std::int32_t compType) { return compType == WND_CREATED || compType == WND_DESTROYED; }

ChoreListEditor::ChoreListEditor(const LibraryQueries& library, KeyNames& keyNames, const ChoreList* edited)
    : library_(library), keyNames_(keyNames) {
  if (!edited) return;
  edited_ = *edited;
  working_ = *edited;
}

ChoreListOpening ChoreListEditor::open() {
  if (!editing()) return {u"Create a new chore list", u"Add", {}, {}, {}, {{}, -1, {}}};
  StepChange first = select(working_.steps.empty() ? -1 : 0, StepForm{});
  return {u"Edit chore list", u"Save", working_.name, working_.hotKey, stepNames(), std::move(first)};
}

std::vector<std::u16string> ChoreListEditor::stepNames() const {
  std::vector<std::u16string> names;
  for (const Chore& step : working_.steps) names.push_back(step.name);
  return names;
}

StepChange ChoreListEditor::select(int index, const StepForm& form) {
  if (index == current_ && index >= 0) return {{}, index, {}};
  if (current_ >= 0) {
    if (auto refusal = storeCurrent(form)) return {refusal, current_, {}};
  }
  return show(index);
}

StepChange ChoreListEditor::show(int index) {
  current_ = index;
  scratch_ = Chore{};
  pickPending_ = true;
  if (index < 0 || index >= static_cast<int>(working_.steps.size())) {
    current_ = -1;
    return {{}, -1, emptyStep()};
  }
  const Chore& step = working_.steps[static_cast<std::size_t>(index)];
  // A step shown starts with its own window; a pick made for the step
  // shown before never lands on this one.
  if (isWindowCompletion(step.compType)) {
    scratch_.takeStepFields(step);
    scratch_.mainWndTxt = step.compData;
  }
  const StepForm form{step.compType, step.compData, formatText(u"%d", step.timeout), step.hotKeyChore,
                      step.continueOnTimeout};
  return {{}, index, StepShown{form, isWindowCompletion(step.compType)}};
}

StepChange ChoreListEditor::addSteps(const std::vector<std::u16string>& chores, bool beforeSelected,
                                     const StepForm& form) {
  std::optional<Refusal> refusal;
  if (current_ >= 0) refusal = storeCurrent(form);
  if (chores.empty()) return {refusal, current_, {}};
  int at = static_cast<int>(working_.steps.size());
  if (current_ >= 0) at = beforeSelected ? current_ : current_ + 1;
  const int first = at;
  StepForm fresh;
  fresh.timeout = form.timeout;
  fresh.continueOnTimeout = form.continueOnTimeout;
  for (const std::u16string& name : chores) storeStep(at++, name, fresh, StoreMode::Insert);
  StepChange change = show(first);
  change.refusal = refusal;
  return change;
}

StepChange ChoreListEditor::removeStep() {
  if (current_ < 0) return {{}, -1, {}};
  working_.steps.erase(working_.steps.begin() + current_);
  const int next = std::min(current_, static_cast<int>(working_.steps.size()) - 1);
  return show(next);
}

StepChange ChoreListEditor::moveStep(int delta, const StepForm& form) {
  if (current_ < 0) return {{}, -1, {}};
  if (auto refusal = storeCurrent(form)) return {refusal, current_, {}};
  const int last = static_cast<int>(working_.steps.size()) - 1;
  const int to = std::clamp(current_ + delta, 0, last);
  Chore step = std::move(working_.steps[static_cast<std::size_t>(current_)]);
  working_.steps.erase(working_.steps.begin() + current_);
  working_.steps.insert(working_.steps.begin() + to, std::move(step));
  return show(to);
}

std::optional<Refusal> ChoreListEditor::storeCurrent(const StepForm& form) {
  if (current_ < 0) return std::nullopt;
  return storeStep(current_, working_.steps[static_cast<std::size_t>(current_)].name, form, StoreMode::Replace);
}

bool ChoreListEditor::firstWindowPick() const {
  return current_ < 0 || !isWindowCompletion(working_.steps[static_cast<std::size_t>(current_)].compType);
}

std::u16string ChoreListEditor::takeWindowPick(const Chore& picked) {
  scratch_.mainWndTxt = picked.mainWndTxt;
  scratch_.mainWndCls = picked.mainWndCls;
  scratch_.stepPartialMatch = picked.stepPartialMatch;
  pickPending_ = false;
  return picked.mainWndTxt;
}

Refusal ChoreListEditor::hotKeyTaken(HotKeyCode key, std::u16string_view owner, ChoreListField field) {
  return Refusal::clearing(hotKeyTakenText(keyNames_.keyName(key.controlValue()), owner), field);
}

std::optional<Refusal> ChoreListEditor::checkStep(std::int32_t compType, const StepForm& form) {
  const std::u16string_view typeName = completionTypeName(compType);
  if (compType == WAIT_HOTKEY) {
    if (!form.hotKey.isSet()) {
      return Refusal::at(formatText(u"For completion type: \"%s\", you must specify a hot key.", typeName),
                         ChoreListField::StepHotKey);
    }
    // Every chore and every stored list, the edited one included.
    if (auto owner = library_.hotKeyOwner(form.hotKey)) return hotKeyTaken(form.hotKey, *owner, ChoreListField::StepHotKey);
    return std::nullopt;
  }
  if (compType == COMP_NONE) return std::nullopt;
  if (form.compData.empty()) {
    return Refusal::at(formatText(u"For completion type: \"%s\", you must provide completion data.", typeName),
                       ChoreListField::CompletionData);
  }
  if (compType == DELAY && !isDigits(form.compData)) {
    return Refusal::at(u"For completion type: Delay, you must enter number of seconds.", ChoreListField::CompletionData);
  }
  return std::nullopt;
}

std::optional<Refusal> ChoreListEditor::storeStep(int index, std::u16string_view name, const StepForm& form,
                                                  StoreMode mode) {
  const auto at = static_cast<std::size_t>(index);
  const bool exists = at < working_.steps.size();
  Chore step = library_.copyChore(name);
  // A chore gone from the library since the list was loaded: the step keeps
  // the copy it has rather than become a nameless record.
  if (!step.isFound() && exists && mode == StoreMode::Replace) step = working_.steps[at];
  step.compType = form.compType < 0 ? COMP_NONE : form.compType;
  if (auto refusal = checkStep(step.compType, form)) return refusal;
  // Stored again with the same completion, a step keeps the hot key and
  // partial match its controls do not show for it.
  const Chore* before = mode == StoreMode::Replace && exists ? &working_.steps[at] : nullptr;
  const bool sameCompletion = before && before->compType == step.compType;

  step.hotKeyChore = step.compType == WAIT_HOTKEY ? form.hotKey : sameCompletion ? before->hotKeyChore : HotKeyCode{};
  if (isWindowCompletion(step.compType)) {
    if (!pickPending_ && !targetsWindow(step.type)) {
      step.mainWndCls = scratch_.mainWndCls;
      step.mainWndTxt = scratch_.mainWndTxt;
    }
    step.stepPartialMatch = scratch_.stepPartialMatch;
  } else if (sameCompletion) {
    step.stepPartialMatch = before->stepPartialMatch;
  }
  step.compData = form.compData;
  step.continueOnTimeout = form.continueOnTimeout;
  step.timeout = std::max(xml::toInt(form.timeout), 0);

  if (mode == StoreMode::Replace && exists) {
    working_.steps[at] = std::move(step);
  } else {
    working_.steps.insert(working_.steps.begin() + static_cast<std::ptrdiff_t>(std::min(at, working_.steps.size())),
                          std::move(step));
  }
  return std::nullopt;
}

Submission<ChoreList> ChoreListEditor::submit(const ChoreListForm& form) {
  const std::u16string& name = form.name;
  const HotKeyCode hotKey = form.listHotKey;
  if (name.empty() || name == kListNamePrompt) return Refusal::prompting(kListNamePrompt, ChoreListField::Name);
  if (working_.steps.empty()) return Refusal::at(u"No chores have been added to the list.", ChoreListField::Available);
  if (auto refusal = storeCurrent(form)) return *refusal;

  // An edited list may keep its own name and hot key.
  const bool nameKept = edited_ && name == edited_->name;
  if (!nameKept && !library_.isNameUnused(name)) {
    return Refusal::at(formatText(u"Chore list name: \"%s\" is already used.", name), ChoreListField::Name);
  }
  const bool hotKeyKept = edited_ && hotKey == edited_->hotKey;
  if (const auto owner = library_.hotKeyOwner(hotKey); owner && !hotKeyKept) {
    return hotKeyTaken(hotKey, *owner, ChoreListField::HotKey);
  }
  ChoreList list = working_;
  list.name = name;
  list.hotKey = hotKey;
  return list;
}

}  // namespace tolvane
