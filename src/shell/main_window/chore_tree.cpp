#include "shell/main_window/chore_tree.h"

#include "controls/tree_view/tree_items.h"
#include "engine/scheduler/list_icon.h"
#include "library/chore_actions.h"
#include "platform/win32/common/wide.h"

namespace tolvane::win32 {

int choreImage(std::int32_t type) {
  const ChoreAction* action = choreActionOf(type);
  return action ? action->treeImage : kUnknownChoreImage;
}

ListSummaryPart listTipPart(UINT hitFlags) {
  return (hitFlags & TVHT_ONITEMLABEL) ? ListSummaryPart::OverLabel : ListSummaryPart::AwayFromLabel;
}

bool ChoreTree::loadImages(HINSTANCE instance, int bitmapId) {
  HIMAGELIST images = ImageList_LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), 16, 0, RGB(255, 0, 255),
                                           IMAGE_BITMAP, LR_CREATEDIBSECTION);
  if (!images) return false;
  TreeView_SetImageList(tree_, images, TVSIL_NORMAL);
  return true;
}

HTREEITEM ChoreTree::insert(HTREEITEM parent, std::u16string_view text, int image, HTREEITEM after) {
  std::wstring label = toWide(text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = label.data();
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  const bool record = parent && (parent == choresRoot_ || parent == listsRoot_);
  if (record) {
    insert.item.mask |= TVIF_PARAM;
    insert.item.lParam = nextLabel_;
  }
  HTREEITEM item = TreeView_InsertItem(tree_, &insert);
  if (item && record) labels_.emplace(nextLabel_++, text);
  return item;
}

void ChoreTree::fill(const ChoreLibrary& library, const Settings& settings, const Clock& clock) {
  labels_.clear();
  choresRoot_ = insert(TVI_ROOT, kChoresRootText, kChoresRootImage);
  listsRoot_ = insert(TVI_ROOT, kListsRootText, kListsRootImage);
  const std::int64_t now = clock.now();
  library.read([&](const LibraryContents& contents) {
    // Lists first, their steps last: each step names its list's item, and
    // Wine's tree view finds that item faster the earlier it was added.
    std::vector<HTREEITEM> listItems;
    listItems.reserve(contents.lists.size());
    for (const ChoreList& list : contents.lists) {
      listItems.push_back(insert(listsRoot_, list.name, listIcon(list.schedule, clock, now)));
    }
    for (const Chore& chore : contents.chores) insert(choresRoot_, chore.name, choreImage(chore.type));
    for (std::size_t i = 0; i < listItems.size(); ++i) insertSteps(listItems[i], contents.lists[i].steps);
  });
  if (settings.choreExpanded) TreeView_Expand(tree_, choresRoot_, TVE_EXPAND);
  if (settings.choreListExpanded) TreeView_Expand(tree_, listsRoot_, TVE_EXPAND);
  restoreSelection(settings);
}

HTREEITEM ChoreTree::insertChore(HTREEITEM after, const Chore& chore) {
  return insert(choresRoot_, chore.name, choreImage(chore.type), after);
}

HTREEITEM ChoreTree::insertList(HTREEITEM after, const ChoreList& list, int image) {
  HTREEITEM item = insert(listsRoot_, list.name, image, after);
  insertSteps(item, list.steps);
  return item;
}

void ChoreTree::insertSteps(HTREEITEM listItem, const std::vector<Chore>& steps) {
  for (const Chore& step : steps) insert(listItem, step.name, choreImage(step.type));
}

void ChoreTree::setItem(HTREEITEM item, std::u16string_view text, int image) {
  setText(item, text);
  setTreeItemImage(tree_, item, image);
}

void ChoreTree::replaceSteps(HTREEITEM listItem, const std::vector<Chore>& steps) {
  while (HTREEITEM child = TreeView_GetChild(tree_, listItem)) TreeView_DeleteItem(tree_, child);
  insertSteps(listItem, steps);
}

void ChoreTree::renameSteps(std::u16string_view oldName, const Chore& chore) {
  for (HTREEITEM list = TreeView_GetChild(tree_, listsRoot_); list; list = TreeView_GetNextSibling(tree_, list)) {
    for (HTREEITEM step = TreeView_GetChild(tree_, list); step; step = TreeView_GetNextSibling(tree_, step)) {
      if (itemText(step) == oldName) setItem(step, chore.name, choreImage(chore.type));
    }
  }
}

HTREEITEM ChoreTree::itemAt(POINT screen) const {
  TVHITTESTINFO hit{};
  hit.pt = screen;
  ScreenToClient(tree_, &hit.pt);
  HTREEITEM item = TreeView_HitTest(tree_, &hit);
  return hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON) ? item : nullptr;
}

void ChoreTree::select(HTREEITEM item) {
  TreeView_SelectItem(tree_, item);
  TreeView_EnsureVisible(tree_, item);
}

void ChoreTree::setText(HTREEITEM item, std::u16string_view text) {
  setLabel(item, text);
  std::wstring label = toWide(text);
  TVITEMW change{};
  change.mask = TVIF_HANDLE | TVIF_TEXT;
  change.hItem = item;
  change.pszText = label.data();
  TreeView_SetItem(tree_, &change);
}

namespace {

LPARAM itemData(HWND tree, HTREEITEM item) {
  TVITEMW query{};
  query.mask = TVIF_HANDLE | TVIF_PARAM;
  query.hItem = item;
  return TreeView_GetItem(tree, &query) ? query.lParam : 0;
}

struct LabelSort {
  const std::unordered_map<LPARAM, std::u16string>& labels;
  const ChoreTree::LabelCompare& compare;
};

int CALLBACK compareLabels(LPARAM first, LPARAM second, LPARAM sort) {
  const auto& [labels, compare] = *reinterpret_cast<const LabelSort*>(sort);
  const auto a = labels.find(first);
  const auto b = labels.find(second);
  return compare(a == labels.end() ? std::u16string_view{} : a->second,
                 b == labels.end() ? std::u16string_view{} : b->second);
}

}  // namespace

void ChoreTree::setLabel(HTREEITEM item, std::u16string_view text) {
  const auto label = labels_.find(itemData(tree_, item));
  if (label != labels_.end()) label->second = text;
}

void ChoreTree::remove(HTREEITEM item) {
  labels_.erase(itemData(tree_, item));
  TreeView_DeleteItem(tree_, item);
}

void ChoreTree::sortChildren(HTREEITEM root, const LabelCompare& compare) {
  const LabelSort labels{labels_, compare};
  TVSORTCB sort{};
  sort.hParent = root;
  sort.lpfnCompare = compareLabels;
  sort.lParam = reinterpret_cast<LPARAM>(&labels);
  TreeView_SortChildrenCB(tree_, &sort, FALSE);
}

void ChoreTree::restoreSelection(const Settings& settings) {
  HTREEITEM found = nullptr;
  if (!settings.lastChoreList.empty() && !settings.lastChore.empty()) {
    if (HTREEITEM list = findChild(listsRoot_, settings.lastChoreList)) found = findChild(list, settings.lastChore);
  } else if (!settings.lastChoreList.empty()) {
    found = findChild(listsRoot_, settings.lastChoreList);
    if (found && settings.choreListExpanded) {
      TreeView_Expand(tree_, listsRoot_, TVE_EXPAND);
      TreeView_Expand(tree_, found, TVE_EXPAND);
    }
  } else if (!settings.lastChore.empty()) {
    found = findChild(choresRoot_, settings.lastChore);
  } else if (settings.lastSelected == kChoresRootText) {
    found = choresRoot_;
  } else if (settings.lastSelected == kListsRootText) {
    found = listsRoot_;
  }
  if (!found) return;
  TreeView_SetItemState(tree_, found, TVIS_SELECTED, TVIS_SELECTED);
  TreeView_SelectItem(tree_, found);
}

void ChoreTree::rememberInto(Settings& settings) const {
  settings.choreExpanded = isExpanded(choresRoot_);
  settings.choreListExpanded = isExpanded(listsRoot_);
  settings.lastSelected.clear();
  settings.lastChore.clear();
  settings.lastChoreList.clear();
  const TreeItemInfo info = selected();
  switch (info.kind) {
    case TreeItemKind::Chore:
      settings.lastChore = info.name;
      break;
    case TreeItemKind::Step:
      settings.lastChore = info.name;
      settings.lastChoreList = info.listName;
      break;
    case TreeItemKind::List:
      settings.lastChoreList = info.name;
      settings.choreListExpanded = isExpanded(info.item);
      break;
    case TreeItemKind::ChoresRoot:
    case TreeItemKind::ListsRoot:
      settings.lastSelected = info.name;
      break;
    case TreeItemKind::None:
      break;
  }
  settings.lastChore = settings.lastChore.substr(0, kSettingTextMax);
  settings.lastChoreList = settings.lastChoreList.substr(0, kSettingTextMax);
}

TreeItemInfo ChoreTree::describe(HTREEITEM item) const {
  TreeItemInfo info;
  if (!item) return info;
  info.item = item;
  info.name = itemText(item);
  if (item == choresRoot_) {
    info.kind = TreeItemKind::ChoresRoot;
    return info;
  }
  if (item == listsRoot_) {
    info.kind = TreeItemKind::ListsRoot;
    return info;
  }
  HTREEITEM parent = TreeView_GetParent(tree_, item);
  if (parent == choresRoot_) {
    info.kind = TreeItemKind::Chore;
  } else if (parent == listsRoot_) {
    info.kind = TreeItemKind::List;
  } else if (parent && TreeView_GetParent(tree_, parent) == listsRoot_) {
    info.kind = TreeItemKind::Step;
    info.listName = itemText(parent);
    info.stepIndex = 0;
    for (HTREEITEM sibling = TreeView_GetChild(tree_, parent); sibling && sibling != item;
         sibling = TreeView_GetNextSibling(tree_, sibling)) {
      ++info.stepIndex;
    }
  }
  return info;
}

HTREEITEM ChoreTree::findChild(HTREEITEM parent, std::u16string_view text) const {
  return parent ? findTreeChild(tree_, parent, text) : nullptr;
}

bool ChoreTree::isExpanded(HTREEITEM item) const {
  return item && (TreeView_GetItemState(tree_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

}  // namespace tolvane::win32
