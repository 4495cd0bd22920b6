#include "editors/library_queries.h"

namespace tolvane {

std::vector<std::u16string> LibraryQueries::choreNames() const {
  return library_.read([](const LibraryContents& contents) {
    std::vector<std::u16string> names;
    for (const Chore& chore : contents.chores) names.push_back(chore.name);
    return names;
  });
}

std::vector<std::u16string> LibraryQueries::choreListNames() const {
  return library_.read([](const LibraryContents& contents) {
    std::vector<std::u16string> names;
    for (const ChoreList& list : contents.lists) names.push_back(list.name);
    return names;
  });
}

AssignedHotKeys LibraryQueries::assignedHotKeys() const {
  AssignedHotKeys keys;
  findHotKeyMatches(library_, 0, keys.chores, keys.lists);
  return keys;
}

}  // namespace tolvane
