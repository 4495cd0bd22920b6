#include "shell/main_window/chore_store.h"

#include "engine/scheduler/list_icon.h"
#include "library/library_edits.h"

namespace tolvane::win32 {

namespace {

struct Placement {
  InsertPlace library;
  HTREEITEM tree;
};

// After the selected record of the kind, at the top under its selected
// root, else at the end.
Placement placementFor(const TreeItemInfo& selected, TreeItemKind record, TreeItemKind root) {
  if (selected.kind == record) return {InsertPlace::afterRecord(selected.name), selected.item};
  if (selected.kind == root) return {InsertPlace::top(), TVI_FIRST};
  return {InsertPlace::end(), TVI_LAST};
}

}  // namespace

int ChoreStore::listImage(const ChoreSchedule& schedule) const { return listIcon(schedule, clock_, clock_.now()); }

void ChoreStore::addChore(const Chore& chore) {
  const Placement place = placementFor(tree_.selected(), TreeItemKind::Chore, TreeItemKind::ChoresRoot);
  insertChore(library_, chore, place.library);
  tree_.select(tree_.insertChore(place.tree, chore));
  effects_.changed();
}

bool ChoreStore::replaceChore(std::u16string_view oldName, const Chore& chore) {
  HTREEITEM item = tree_.findChild(tree_.choresRoot(), oldName);
  if (!item || !tolvane::replaceChore(library_, oldName, chore)) return false;
  tree_.setItem(item, chore.name, choreImage(chore.type));
  tree_.renameSteps(oldName, chore);
  effects_.changed();
  return true;
}

void ChoreStore::addChoreList(const ChoreList& list) {
  const Placement place = placementFor(tree_.selected(), TreeItemKind::List, TreeItemKind::ListsRoot);
  insertChoreList(library_, list, place.library);
  HTREEITEM item = tree_.insertList(place.tree, list, listImage(list.schedule));
  TreeView_Expand(tree_.hwnd(), item, TVE_EXPAND);
  tree_.select(item);
  effects_.wakeScheduler();
  effects_.changed();
}

bool ChoreStore::replaceChoreList(std::u16string_view oldName, const ChoreList& list) {
  HTREEITEM item = tree_.findChild(tree_.listsRoot(), oldName);
  if (!item || !tolvane::replaceChoreList(library_, oldName, list)) return false;
  tree_.setItem(item, list.name, listImage(list.schedule));
  tree_.replaceSteps(item, list.steps);
  tree_.select(item);
  effects_.wakeScheduler();
  effects_.changed();
  return true;
}

bool ChoreStore::storeSchedule(std::u16string_view listName, const ChoreSchedule& schedule) {
  HTREEITEM item = tree_.findChild(tree_.listsRoot(), listName);
  if (!item || !tolvane::storeSchedule(library_, listName, schedule)) return false;
  tree_.setImage(item, listImage(schedule));
  tree_.select(item);
  effects_.wakeScheduler();
  effects_.changed();
  return true;
}

}  // namespace tolvane::win32
