#include "library/library_edits.h"

#include <utility>
#include <vector>

namespace tolvane {

namespace {

template <typename Record>
int insertAt(std::vector<Record>& records, Record record, const InsertPlace& place) {
  std::size_t at = records.size();
  if (place.kind == InsertPlace::Kind::Top) at = 0;
  if (place.kind == InsertPlace::Kind::After) {
    const int found = indexOfName(records, place.after);
    if (found >= 0) at = static_cast<std::size_t>(found) + 1;
  }
  records.insert(records.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
  return static_cast<int>(at);
}

void dropRunState(ChoreList& list) {
  list.inProgress = false;
  list.abortRequested = false;
  list.termEvent.reset();
  list.currentStep = 0;
  list.id = 0;
  list.runSteps.clear();
  list.runName.clear();
  for (Chore& step : list.steps) step.completionEvent.reset();
}

}  // namespace

int insertChore(ChoreLibrary& library, const Chore& chore, const InsertPlace& place) {
  Chore added = chore;
  added.completionEvent.reset();
  return library.edit([&](LibraryContents& contents) { return insertAt(contents.chores, std::move(added), place); });
}

std::optional<int> replaceChore(ChoreLibrary& library, std::u16string_view oldName, const Chore& chore) {
  return library.edit([&](LibraryContents& contents) -> std::optional<int> {
    const int index = indexOfName(contents.chores, oldName);
    if (index < 0) return std::nullopt;
    Chore& stored = contents.chores[static_cast<std::size_t>(index)];
    stored = chore;
    stored.completionEvent.reset();
    refreshStepsOf(contents, oldName, stored);
    return index;
  });
}

int insertChoreList(ChoreLibrary& library, const ChoreList& list, const InsertPlace& place) {
  ChoreList added = list;
  dropRunState(added);
  return library.edit([&](LibraryContents& contents) { return insertAt(contents.lists, std::move(added), place); });
}

std::optional<int> replaceChoreList(ChoreLibrary& library, std::u16string_view oldName, const ChoreList& list) {
  return library.edit([&](LibraryContents& contents) -> std::optional<int> {
    const int index = indexOfName(contents.lists, oldName);
    if (index < 0) return std::nullopt;
    ChoreList& stored = contents.lists[static_cast<std::size_t>(index)];
    stored.name = list.name;
    stored.hotKey = list.hotKey;
    stored.steps = list.steps;
    stored.schedule = list.schedule;
    for (Chore& step : stored.steps) step.completionEvent.reset();
    return index;
  });
}

bool storeSchedule(ChoreLibrary& library, std::u16string_view listName, const ChoreSchedule& schedule) {
  return library.edit([&](LibraryContents& contents) {
    const int index = indexOfName(contents.lists, listName);
    if (index < 0) return false;
    contents.lists[static_cast<std::size_t>(index)].schedule = schedule;
    return true;
  });
}

bool renameChore(ChoreLibrary& library, std::u16string_view oldName, std::u16string_view newName) {
  return library.edit([&](LibraryContents& contents) {
    const int index = indexOfName(contents.chores, oldName);
    if (index < 0) return false;
    Chore& renamed = contents.chores[static_cast<std::size_t>(index)];
    renamed.name = std::u16string(newName);
    refreshStepsOf(contents, oldName, renamed);
    return true;
  });
}

bool renameChoreList(ChoreLibrary& library, std::u16string_view oldName, std::u16string_view newName) {
  return library.edit([&](LibraryContents& contents) {
    const int index = indexOfName(contents.lists, oldName);
    if (index < 0) return false;
    contents.lists[static_cast<std::size_t>(index)].name = std::u16string(newName);
    return true;
  });
}

bool removeChore(ChoreLibrary& library, std::u16string_view name) {
  return library.edit([&](LibraryContents& contents) {
    const int index = indexOfName(contents.chores, name);
    if (index < 0) return false;
    contents.chores.erase(contents.chores.begin() + index);
    return true;
  });
}

ListRemoval removeChoreList(ChoreLibrary& library, std::u16string_view name) {
  return library.edit([&](LibraryContents& contents) {
    const int index = indexOfName(contents.lists, name);
    if (index < 0) return ListRemoval::Missing;
    if (contents.lists[static_cast<std::size_t>(index)].inProgress) return ListRemoval::Running;
    contents.lists.erase(contents.lists.begin() + index);
    return ListRemoval::Removed;
  });
}

}  // namespace tolvane
