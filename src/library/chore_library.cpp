#include "library/chore_library.h"

#include <algorithm>

#include "base/format.h"

namespace tolvane {

int ChoreLibrary::choreCount() const {
  std::scoped_lock lock(mutex_);
  return static_cast<int>(contents_.chores.size());
}

Chore ChoreLibrary::choreAt(int i) const {
  std::scoped_lock lock(mutex_);
  if (i < 0 || i >= static_cast<int>(contents_.chores.size())) return {};
  return contents_.chores[static_cast<std::size_t>(i)];
}

void ChoreLibrary::appendChore(const Chore& chore) {
  std::scoped_lock lock(mutex_);
  contents_.chores.push_back(chore);
  revision_.fetch_add(1, std::memory_order_release);
}

int ChoreLibrary::findChore(std::u16string_view name) const {
  std::scoped_lock lock(mutex_);
  return indexOfName(contents_.chores, name);
}

Chore ChoreLibrary::copyChore(std::u16string_view name) const {
  std::scoped_lock lock(mutex_);
  const int i = indexOfName(contents_.chores, name);
  return i < 0 ? Chore{} : contents_.chores[static_cast<std::size_t>(i)];
}

int ChoreLibrary::choreListCount() const {
  std::scoped_lock lock(mutex_);
  return static_cast<int>(contents_.lists.size());
}

ChoreList ChoreLibrary::choreListAt(int i) const {
  std::scoped_lock lock(mutex_);
  if (i < 0 || i >= static_cast<int>(contents_.lists.size())) return {};
  return contents_.lists[static_cast<std::size_t>(i)];
}

ChoreListId ChoreLibrary::appendChoreList(const ChoreList& list) {
  std::scoped_lock lock(mutex_);
  contents_.lists.push_back(list);
  contents_.lists.back().id = nextListId_++;
  revision_.fetch_add(1, std::memory_order_release);
  return contents_.lists.back().id;
}

int ChoreLibrary::findChoreList(std::u16string_view name) const {
  std::scoped_lock lock(mutex_);
  return indexOfName(contents_.lists, name);
}

ChoreList ChoreLibrary::copyChoreList(std::u16string_view name) const {
  std::scoped_lock lock(mutex_);
  const int i = indexOfName(contents_.lists, name);
  return i < 0 ? ChoreList{} : contents_.lists[static_cast<std::size_t>(i)];
}

std::optional<ChoreList> ChoreLibrary::copyChoreListById(ChoreListId id) const {
  std::scoped_lock lock(mutex_);
  for (const auto& list : contents_.lists)
    if (list.id == id) return list;
  return std::nullopt;
}

std::vector<std::u16string> ChoreLibrary::listsUsingChore(std::u16string_view choreName) const {
  std::scoped_lock lock(mutex_);
  std::vector<std::u16string> names;
  for (const auto& list : contents_.lists) {
    const bool uses = std::any_of(list.steps.begin(), list.steps.end(),
                                  [&](const Chore& step) { return step.name == choreName; });
    if (uses) names.push_back(list.name);
  }
  return names;
}

std::vector<std::u16string> ChoreLibrary::listsChainingTo(std::u16string_view listName) const {
  std::scoped_lock lock(mutex_);
  std::vector<std::u16string> names;
  for (const auto& list : contents_.lists)
    if (list.schedule.nextChorelist == listName) names.push_back(list.name);
  return names;
}

bool ChoreLibrary::isNameUnused(std::u16string_view name) const {
  std::scoped_lock lock(mutex_);
  return indexOfName(contents_.chores, name) < 0 && indexOfName(contents_.lists, name) < 0;
}

std::optional<std::u16string> ChoreLibrary::hotKeyOwner(HotKeyCode key) const {
  if (isTolvaneOwnKey(key)) return std::u16string(kTolvaneKeyOwner);
  if (!key.isSet()) return std::nullopt;
  std::scoped_lock lock(mutex_);
  for (const auto& chore : contents_.chores)
    if (chore.hotKey == key) return chore.name;
  for (const auto& list : contents_.lists)
    if (list.hotKey == key) return list.name;
  return std::nullopt;
}

void ChoreLibrary::refreshSteps(std::u16string_view oldName, std::u16string_view newName) {
  std::scoped_lock lock(mutex_);
  const int source = indexOfName(contents_.chores, newName);
  if (source < 0) return;
  revision_.fetch_add(1, std::memory_order_release);
  const Chore fresh = contents_.chores[static_cast<std::size_t>(source)];
  refreshStepsOf(contents_, oldName, fresh);
}

void refreshStepsOf(LibraryContents& contents, std::u16string_view oldName, const Chore& fresh) {
  for (auto& list : contents.lists) {
    for (auto& step : list.steps) {
      if (step.name != oldName) continue;
      Chore refreshed = fresh;
      refreshed.takeStepFields(step);
      step = std::move(refreshed);
    }
  }
}

void ChoreLibrary::stampNewLists() {
  revision_.fetch_add(1, std::memory_order_release);
  for (auto& list : contents_.lists)
    if (list.id == 0) list.id = nextListId_++;
}

std::u16string hotKeyTakenText(std::u16string_view keyText, std::u16string_view owner) {
  return formatText(u"Hotkey: %s is already used by \"%s\".", keyText, owner);
}

}  // namespace tolvane
