#pragma once
// The rules behind the main window's tree commands, apart from the window:
// which commands an item offers, how a branch sorts, when a rename is
// taken, what a clone is called, and when a chore or a list may be
// deleted, with the texts the user reads. The window (shell/main_window/
// tree_commands.h) applies them to the tree.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "library/chore_library.h"
#include "platform/prompts.h"

namespace tolvane {

enum class TreeItemKind { None, ChoresRoot, ListsRoot, Chore, List, Step };

// What the item menu ("Edit", "Clone", "Run", "Delete", "Stop",
// "Schedule") offers for the item it was opened on.
struct ItemMenuState {
  bool edit = false;
  bool clone = false;
  bool run = false;
  bool remove = false;
  bool stop = false;
  bool schedule = false;

  friend bool operator==(const ItemMenuState&, const ItemMenuState&) = default;
};

struct ItemFacts {
  TreeItemKind kind = TreeItemKind::None;
  std::u16string_view name;
  bool listInProgress = false;   // a list: a run of it is under way
  bool choreUsedByList = false;  // a chore: some list has it as a step
};

ItemMenuState itemMenuState(const ItemFacts& item);

// The menu bar's editing commands by the selection: "Selected &chore"
// (and the toolbar's edit button for a chore or step), "Selected chore
// &list", and "&Schedule a chore list" with the toolbar's schedule button.
struct SelectionCommands {
  bool editChore = false;
  bool editList = false;
  bool schedule = false;

  friend bool operator==(const SelectionCommands&, const SelectionCommands&) = default;
};

SelectionCommands selectionCommands(TreeItemKind kind, std::u16string_view name);

// Sorting a branch: by name, code unit by code unit (so "Zip" comes before
// "apple"), or by chore type with ties broken by name.
enum class SortKey { Name, Type };

struct SortItem {
  std::u16string_view name;
  std::int32_t type = 0;
};

// Negative when `a` goes first, positive when `b` does, 0 for equals;
// descending reverses the whole comparison.
int compareForSort(const SortItem& a, const SortItem& b, SortKey key, bool ascending);

// The library's sequences in the order their sorted branch shows: chores
// by name or type, lists by name. Records that compare equal keep their
// order, as they do in the tree.
void sortChores(ChoreLibrary& library, SortKey key, bool ascending);
void sortChoreLists(ChoreLibrary& library, bool ascending);

// One direction for every branch and key: it starts descending and every
// sort flips it first, so the first sort is ascending.
class SortDirection {
 public:
  // The direction of the sort about to run: true for ascending.
  bool flip() {
    ascending_ = !ascending_;
    return ascending_;
  }

 private:
  bool ascending_ = false;
};

// Renaming in place: only chores and lists, and not the wizard's.
bool canRenameInTree(TreeItemKind kind, std::u16string_view name);

enum class RenameCheck {
  NoChange,  // no text, or the name it had
  NameUsed,  // a chore or a list has the name: ask again
  Allowed,
};

RenameCheck checkRename(const ChoreLibrary& library, std::u16string_view oldName, std::u16string_view newName);

// "Name: \"%s\" is already used.", captioned "Tolvane".
std::u16string nameUsedText(std::u16string_view name);
inline constexpr std::u16string_view kNameUsedCaption = u"Tolvane";

// "Clone of " before the name, again and again until no chore or list has
// the result.
std::u16string cloneName(const ChoreLibrary& library, std::u16string_view name);

// A full copy under the clone's name, without a hot key (a list keeps its
// steps and schedule); none when no record has the name.
std::optional<Chore> cloneChore(const ChoreLibrary& library, std::u16string_view name);
std::optional<ChoreList> cloneChoreList(const ChoreLibrary& library, std::u16string_view name);

enum class DeleteOutcome {
  Deleted,
  Refused,   // still referenced, or running: the user was told why
  Declined,  // the user answered No
  Missing,   // no record has the name
};

// A chore that is a step of any list is refused with the lists' names;
// otherwise the user is asked, and Yes removes it from the library.
DeleteOutcome deleteChoreAsked(ChoreLibrary& library, Prompts& prompts, std::u16string_view name);

// A list that other lists start next is refused with their names, and so
// is a list that is running (it has to be stopped first); otherwise the
// user is asked, and Yes removes it from the library.
DeleteOutcome deleteChoreListAsked(ChoreLibrary& library, Prompts& prompts, std::u16string_view name);

}  // namespace tolvane
