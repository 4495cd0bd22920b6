#pragma once
// What the editors' results do to the library: a new chore or list goes
// where the user is in the tree, an edited one takes the place of the old,
// and a chore's steps follow it. Each change is one step under the
// library's lock, so worker threads see the old state or the new.

#include <optional>
#include <string>
#include <string_view>

#include "library/chore_library.h"

namespace tolvane {

// Where a new record goes in its sequence: right after the record named
// `after` (at the end when none has that name), at the top, or at the end.
struct InsertPlace {
  enum class Kind { After, Top, End };
  Kind kind = Kind::End;
  std::u16string after;

  static InsertPlace afterRecord(std::u16string name) { return {Kind::After, std::move(name)}; }
  static InsertPlace top() { return {Kind::Top, {}}; }
  static InsertPlace end() { return {Kind::End, {}}; }
};

// Inserts a copy; returns its index among the chores.
int insertChore(ChoreLibrary& library, const Chore& chore, const InsertPlace& place);

// Overwrites the chore named `oldName`, and every step named `oldName`
// becomes a copy of the new chore with its own step settings. Nothing
// happens (none) when no chore has that name; else the chore's index.
std::optional<int> replaceChore(ChoreLibrary& library, std::u16string_view oldName, const Chore& chore);

// Inserts a copy that is not running and has no events; returns its index
// among the lists.
int insertChoreList(ChoreLibrary& library, const ChoreList& list, const InsertPlace& place);

// Gives the list named `oldName` the new name, hot key, steps and schedule;
// the steps wait on no events. A run under way keeps its identity, so it can
// still be stopped, and goes on with the steps, events and repeats it was
// launched with: the edit is for the next run. None when no list has that
// name; else its index.
std::optional<int> replaceChoreList(ChoreLibrary& library, std::u16string_view oldName, const ChoreList& list);

// Gives the list its schedule; false when no list has that name.
bool storeSchedule(ChoreLibrary& library, std::u16string_view listName, const ChoreSchedule& schedule);

// Renaming in the tree: the record takes the new name; a chore's steps in
// every list take it too, each keeping its own step settings. False when
// no record has the old name.
bool renameChore(ChoreLibrary& library, std::u16string_view oldName, std::u16string_view newName);
bool renameChoreList(ChoreLibrary& library, std::u16string_view oldName, std::u16string_view newName);

// Removes the chore; false when none has that name.
bool removeChore(ChoreLibrary& library, std::u16string_view name);

enum class ListRemoval { Removed, Missing, Running };
// Removes the list unless a run of it is under way: its thread would go
// on with no record to be stopped through.
ListRemoval removeChoreList(ChoreLibrary& library, std::u16string_view name);

}  // namespace tolvane
