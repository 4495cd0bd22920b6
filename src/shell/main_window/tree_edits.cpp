#include "shell/main_window/tree_edits.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "library/library_edits.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>{}(text); }
};
using ChoreTypes = std::unordered_map<std::u16string, std::int32_t, TextHash, std::equal_to<>>;

// Each chore name's type (the first chore of the name, as lookups find).
ChoreTypes choreTypes(const ChoreLibrary& library) {
  return library.read([](const LibraryContents& contents) {
    ChoreTypes types;
    types.reserve(contents.chores.size());
    for (const Chore& chore : contents.chores) types.emplace(chore.name, chore.type);
    return types;
  });
}

}  // namespace

// The branch and its library sequence sort alike, each by itself: reading
// the sorted branch back item by item would cost more than sorting twice.
void TreeEdits::sortSelectedBranch(SortKey key) {
  const TreeItemInfo branch = tree_.selected();
  const bool chores = branch.kind == TreeItemKind::ChoresRoot;
  if (!chores && (branch.kind != TreeItemKind::ListsRoot || key == SortKey::Type)) return;
  const bool ascending = direction_.flip();
  const ChoreTypes types = key == SortKey::Type ? choreTypes(library_) : ChoreTypes{};
  const auto typeOf = [&](std::u16string_view name) {
    const auto found = types.find(name);
    return found == types.end() ? std::int32_t{0} : found->second;
  };
  tree_.sortChildren(branch.item, [&](std::u16string_view a, std::u16string_view b) {
    return compareForSort({a, typeOf(a)}, {b, typeOf(b)}, key, ascending);
  });
  if (chores) {
    sortChores(library_, key, ascending);
  } else {
    sortChoreLists(library_, ascending);
  }
  effects_.changed();
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
  if (selected.kind == TreeItemKind::List) effects_.wakeScheduler();
  effects_.changed();
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
    effects_.wakeScheduler();
  }
  effects_.changed();
}

}  // namespace tolvane::win32
