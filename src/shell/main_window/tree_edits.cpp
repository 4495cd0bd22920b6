#include "shell/main_window/tree_edits.h"

#include <unordered_map>
#include <vector>

#include "library/library_edits.h"
#include "platform/win32/common/wide.h"

namespace tolvane::win32 {

namespace {

// Each name's chore type (the first chore of that name, as lookups find).
std::vector<std::int32_t> choreTypes(const ChoreLibrary& library, const std::vector<std::u16string>& names) {
  return library.read([&](const LibraryContents& contents) {
    std::unordered_map<std::u16string_view, std::int32_t> types;
    for (const Chore& chore : contents.chores) types.emplace(chore.name, chore.type);
    std::vector<std::int32_t> found;
    found.reserve(names.size());
    for (const std::u16string& name : names) {
      const auto type = types.find(name);
      found.push_back(type == types.end() ? CHORE_UNKNOWN : type->second);
    }
    return found;
  });
}

}  // namespace

void TreeEdits::sortSelectedBranch(SortKey key) {
  const TreeItemInfo branch = tree_.selected();
  const bool chores = branch.kind == TreeItemKind::ChoresRoot;
  if (!chores && (branch.kind != TreeItemKind::ListsRoot || key == SortKey::Type)) return;
  const bool ascending = direction_.flip();
  const std::vector<std::u16string> names = tree_.childTexts(branch.item);
  const std::vector<std::int32_t> types =
      key == SortKey::Type ? choreTypes(library_, names) : std::vector<std::int32_t>(names.size());
  const std::vector<std::size_t> order = tree_.sortChildren(branch.item, [&](std::size_t a, std::size_t b) {
    return compareForSort({names[a], types[a]}, {names[b], types[b]}, key, ascending);
  });
  std::vector<std::u16string> sorted;
  sorted.reserve(order.size());
  for (const std::size_t place : order) sorted.push_back(names[place]);
  if (chores) {
    orderChoresAs(library_, sorted);
  } else {
    orderChoreListsAs(library_, sorted);
  }
  changed_();
}

void TreeEdits::cloneSelected() {
  const TreeItemInfo selected = tree_.selected();
  if (selected.kind == TreeItemKind::Chore) {
    if (const std::optional<Chore> clone = cloneChore(library_, selected.name)) store_.addChore(*clone);
  } else if (selected.kind == TreeItemKind::List) {
    if (const std::optional<ChoreList> clone = cloneChoreList(library_, selected.name)) store_.addChoreList(*clone);
  }
}

void TreeEdits::deleteSelected() {
  const TreeItemInfo selected = tree_.selected();
  DeleteOutcome outcome = DeleteOutcome::Missing;
  if (selected.kind == TreeItemKind::Chore) outcome = deleteChoreAsked(library_, prompts_, selected.name);
  if (selected.kind == TreeItemKind::List) outcome = deleteChoreListAsked(library_, prompts_, selected.name);
  if (outcome != DeleteOutcome::Deleted) return;
  tree_.remove(selected.item);
  changed_();
}

ItemMenuState TreeEdits::itemMenu() const {
  const TreeItemInfo selected = tree_.selected();
  ItemFacts facts{selected.kind, selected.name};
  if (selected.kind == TreeItemKind::List) facts.listInProgress = library_.copyChoreList(selected.name).inProgress;
  if (selected.kind == TreeItemKind::Chore) facts.choreUsedByList = !library_.listsUsingChore(selected.name).empty();
  return itemMenuState(facts);
}

SelectionCommands TreeEdits::selectionCommands() const {
  const TreeItemInfo selected = tree_.selected();
  return tolvane::selectionCommands(selected.kind, selected.name);
}

void TreeEdits::editSelectedLabel() {
  if (HTREEITEM item = TreeView_GetSelection(tree_.hwnd())) TreeView_EditLabel(tree_.hwnd(), item);
}

bool TreeEdits::mayRename(HTREEITEM item) const {
  const TreeItemInfo info = tree_.describe(item);
  return canRenameInTree(info.kind, info.name);
}

void TreeEdits::labelEdited(HTREEITEM item, const wchar_t* text) {
  if (!text) return;
  pendingRename_ = PendingRename{tree_.describe(item), fromWide(text)};
  PostMessageW(GetParent(tree_.hwnd()), kFinishRenameMessage, 0, 0);
}

void TreeEdits::finishRename() {
  if (!pendingRename_) return;
  const PendingRename pending = std::move(*pendingRename_);
  pendingRename_.reset();
  switch (checkRename(library_, pending.item.name, pending.name)) {
    case RenameCheck::NoChange:
      return;
    case RenameCheck::NameUsed: {
      prompts_.showWarning(nameUsedText(pending.name), kNameUsedCaption);
      // Back to editing, with what the user typed to correct.
      HWND edit = TreeView_EditLabel(tree_.hwnd(), pending.item.item);
      if (!edit) return;
      SetWindowTextW(edit, toWide(pending.name).c_str());
      SendMessageW(edit, EM_SETSEL, 0, -1);
      return;
    }
    case RenameCheck::Allowed:
      rename(pending.item, pending.name);
      return;
  }
}

void TreeEdits::rename(const TreeItemInfo& item, const std::u16string& name) {
  if (item.kind == TreeItemKind::Chore) {
    if (!renameChore(library_, item.name, name)) return;
    tree_.setText(item.item, name);
    tree_.renameSteps(item.name, library_.copyChore(name));
  } else {
    if (!renameChoreList(library_, item.name, name)) return;
    tree_.setText(item.item, name);
  }
  changed_();
}

}  // namespace tolvane::win32
