#include "library/tree_commands.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "base/format.h"
#include "library/library_edits.h"

namespace tolvane {

namespace {

constexpr std::u16string_view kClonePrefix = u"Clone of ";
constexpr std::u16string_view kWarningCaption = u"Tolvane Warning!";

bool isRecord(TreeItemKind kind) { return kind == TreeItemKind::Chore || kind == TreeItemKind::List; }

int compareNames(std::u16string_view a, std::u16string_view b) {
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::u16string choreInUseText(std::u16string_view name, const std::vector<std::u16string>& lists) {
  std::u16string text = formatText(u"Chore: \"%s\" cannot be deleted.\nIt is used in %d chore %s:\n", name,
                                   static_cast<int>(lists.size()), lists.size() == 1 ? u"list" : u"lists");
  for (const std::u16string& list : lists) text += u"\"" + list + u"\"\n";
  return text;
}

std::u16string listChainedText(std::u16string_view name, const std::vector<std::u16string>& lists) {
  std::u16string text =
      formatText(u"Chorelist: \"%s\" cannot be deleted.\nIt is used as the next chore list in:", name);
  for (const std::u16string& list : lists) text += u"\n\"" + list + u"\"";
  return text;
}

std::u16string listRunningText(std::u16string_view name) {
  return formatText(u"Chorelist: \"%s\" is running and cannot be deleted.\nStop it first, then delete it.", name);
}

// The lists other than `name` itself that start it next: a list that
// starts itself again is no reason to keep it.
std::vector<std::u16string> otherListsChainingTo(const ChoreLibrary& library, std::u16string_view name) {
  std::vector<std::u16string> lists = library.listsChainingTo(name);
  std::erase(lists, name);
  return lists;
}

}  // namespace


ItemMenuState itemMenuState(const ItemFacts& item) {
  const bool editable = !isWizardName(item.name);
  switch (item.kind) {
    case TreeItemKind::List:
      if (item.listInProgress) return {.stop = true};
      return {.edit = editable, .clone = true, .run = true, .remove = true, .schedule = true};
    case TreeItemKind::Chore:
      return {.edit = editable, .clone = true, .run = true, .remove = !item.choreUsedByList};
    case TreeItemKind::Step:
      return {.edit = editable, .run = true};
    default:
      return {};
  }
}

SelectionCommands selectionCommands(TreeItemKind kind, std::u16string_view name) {
  const bool editable = !isWizardName(name);
  switch (kind) {
    case TreeItemKind::Chore:
    case TreeItemKind::Step:
      return {.editChore = editable};
    case TreeItemKind::List:
      return {.editList = editable, .schedule = true};
    default:
      return {};
  }
}

int compareForSort(const SortItem& a, const SortItem& b, SortKey key, bool ascending) {
  int order = 0;
  if (key == SortKey::Type && a.type != b.type) order = a.type < b.type ? -1 : 1;
  if (order == 0) order = compareNames(a.name, b.name);
  return ascending ? order : -order;
}

namespace {

// A stable sort of the records by their sort items. The records are large,
// so their places are sorted and each record moves once.
template <typename Record, typename ItemOf>
void sortRecords(std::vector<Record>& records, ItemOf itemOf, SortKey key, bool ascending) {
  std::vector<std::size_t> order(records.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return compareForSort(itemOf(records[a]), itemOf(records[b]), key, ascending) < 0;
  });
  std::vector<Record> sorted;
  sorted.reserve(records.size());
  for (const std::size_t place : order) sorted.push_back(std::move(records[place]));
  records = std::move(sorted);
}

}  // namespace

void sortChores(ChoreLibrary& library, SortKey key, bool ascending) {
  library.edit([&](LibraryContents& contents) {
    sortRecords(contents.chores, [](const Chore& chore) { return SortItem{chore.name, chore.type}; }, key, ascending);
  });
}

void sortChoreLists(ChoreLibrary& library, bool ascending) {
  library.edit([&](LibraryContents& contents) {
    sortRecords(contents.lists, [](const ChoreList& list) { return SortItem{list.name}; }, SortKey::Name, ascending);
  });
}

bool canRenameInTree(TreeItemKind kind, std::u16string_view name) { return isRecord(kind) && !isWizardName(name); }

RenameCheck checkRename(const ChoreLibrary& library, std::u16string_view oldName, std::u16string_view newName) {
  if (newName.empty() || newName == oldName) return RenameCheck::NoChange;
  return library.isNameUnused(newName) ? RenameCheck::Allowed : RenameCheck::NameUsed;
}

std::u16string nameUsedText(std::u16string_view name) { return formatText(u"Name: \"%s\" is already used.", name); }

std::u16string cloneName(const ChoreLibrary& library, std::u16string_view name) {
  std::u16string clone = std::u16string(kClonePrefix) + std::u16string(name);
  while (!library.isNameUnused(clone)) clone.insert(0, kClonePrefix);
  return clone;
}

namespace {

// `copy` is the library's copy of the record named `name` (a default
// record, without that name, when there is none).
template <typename Record>
std::optional<Record> cloneOf(const ChoreLibrary& library, Record copy, std::u16string_view name) {
  if (copy.name != name) return std::nullopt;
  copy.name = cloneName(library, name);
  copy.hotKey = {};
  return copy;
}

}  // namespace

std::optional<Chore> cloneChore(const ChoreLibrary& library, std::u16string_view name) {
  return cloneOf(library, library.copyChore(name), name);
}

std::optional<ChoreList> cloneChoreList(const ChoreLibrary& library, std::u16string_view name) {
  return cloneOf(library, library.copyChoreList(name), name);
}

DeleteOutcome deleteChoreAsked(ChoreLibrary& library, Prompts& prompts, std::u16string_view name) {
  if (library.findChore(name) < 0) return DeleteOutcome::Missing;
  const std::vector<std::u16string> users = library.listsUsingChore(name);
  if (!users.empty()) {
    prompts.showWarning(choreInUseText(name, users), kWarningCaption);
    return DeleteOutcome::Refused;
  }
  if (!prompts.askYesNo(formatText(u"Chore: \"%s\"\nDo you wish to delete the chore?", name), kWarningCaption)) {
    return DeleteOutcome::Declined;
  }
  return removeChore(library, name) ? DeleteOutcome::Deleted : DeleteOutcome::Missing;
}

DeleteOutcome deleteChoreListAsked(ChoreLibrary& library, Prompts& prompts, std::u16string_view name) {
  const int index = library.findChoreList(name);
  if (index < 0) return DeleteOutcome::Missing;
  const std::vector<std::u16string> chaining = otherListsChainingTo(library, name);
  if (!chaining.empty()) {
    prompts.showWarning(listChainedText(name, chaining), u"Tolvane");
    return DeleteOutcome::Refused;
  }
  if (library.choreListAt(index).inProgress) {
    prompts.showWarning(listRunningText(name), u"Tolvane");
    return DeleteOutcome::Refused;
  }
  if (!prompts.askYesNo(formatText(u"Chorelist: \"%s\"\nDo you wish to delete it?", name), kWarningCaption)) {
    return DeleteOutcome::Declined;
  }
  switch (removeChoreList(library, name)) {
    case ListRemoval::Removed:
      return DeleteOutcome::Deleted;
    case ListRemoval::Running:
      // The scheduler or a hot key started it while the question showed.
      prompts.showWarning(listRunningText(name), u"Tolvane");
      return DeleteOutcome::Refused;
    case ListRemoval::Missing:
      break;
  }
  return DeleteOutcome::Missing;
}

}  // namespace tolvane
