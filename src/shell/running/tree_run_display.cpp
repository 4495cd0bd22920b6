#include "shell/running/tree_run_display.h"

#include <commctrl.h>

#include "base/format.h"
#include "controls/tree_view/tree_items.h"
#include "engine/scheduler/list_icon.h"

namespace tolvane::win32 {
namespace {

constexpr char16_t kListsRootText[] = u"Chore Lists";

}  // namespace

HTREEITEM findListItem(HWND tree, std::u16string_view listName) {
  HTREEITEM root = findTreeChild(tree, nullptr, kListsRootText);
  return root ? findTreeChild(tree, root, listName) : nullptr;
}

// Bold and highlighted while running. The highlight is the item's selected
// state only; the user's own selection (the focused item) stays where it is
// and keeps its highlight afterwards.
void markRunning(HWND tree, HTREEITEM item, bool running) {
  if (!item) return;
  UINT state = TVIS_BOLD;
  if (running || item != TreeView_GetSelection(tree)) state |= TVIS_SELECTED;
  TreeView_SetItemState(tree, item, running ? state : 0, state);
}


void TreeRunDisplay::attach(HWND mainWindow, HWND tree) {
  std::scoped_lock lock(mutex_);
  mainWindow_ = mainWindow;
  tree_ = tree;
  if (!mainWindow) pending_.clear();
}

void TreeRunDisplay::post(Change change) {
  std::scoped_lock lock(mutex_);
  if (!mainWindow_) return;
  pending_.push_back(std::move(change));
  if (pending_.size() == 1) PostMessageW(mainWindow_, kRunDisplayMessage, 0, 0);
}

void TreeRunDisplay::drain() {
  std::vector<Change> changes;
  HWND tree;
  {
    std::scoped_lock lock(mutex_);
    changes.swap(pending_);
    tree = tree_;
  }
  if (!tree) return;
  for (const Change& change : changes) change(tree);
}

void TreeRunDisplay::listStarted(std::u16string_view listName) {
  post([name = std::u16string(listName)](HWND tree) { markRunning(tree, findListItem(tree, name), true); });
}

void TreeRunDisplay::stepStarted(std::u16string_view listName, int stepIndex) {
  post([this, name = std::u16string(listName), stepIndex](HWND tree) {
    setTrayTip_(formatText(u"Chore list in progress...\n\"%s\"", name));
    HTREEITEM list = findListItem(tree, name);
    if (!list) return;
    markRunning(tree, list, true);
    int index = 0;
    for (HTREEITEM step = TreeView_GetChild(tree, list); step; step = TreeView_GetNextSibling(tree, step), ++index) {
      markRunning(tree, step, index == stepIndex);
    }
    if (HTREEITEM current = treeChildAt(tree, list, stepIndex)) TreeView_EnsureVisible(tree, current);
  });
}

void TreeRunDisplay::listEnded(const ChoreList& list) {
  post([this, name = list.name, schedule = list.schedule](HWND tree) {
    setTrayTip_(kIdleTrayTip);
    HTREEITEM item = findListItem(tree, name);
    if (!item) return;
    markRunning(tree, item, false);
    for (HTREEITEM step = TreeView_GetChild(tree, item); step; step = TreeView_GetNextSibling(tree, step)) {
      markRunning(tree, step, false);
    }
    setTreeItemImage(tree, item, listIcon(schedule, clock_, clock_.now()));
  });
}

void TreeRunDisplay::listPendingToday(std::u16string_view listName) {
  post([name = std::u16string(listName)](HWND tree) {
    setTreeItemImage(tree, findListItem(tree, name), kListIconPendingToday);
  });
}

void TreeRunDisplay::listLaunchedBySchedule(std::u16string_view listName) {
  post([name = std::u16string(listName)](HWND tree) {
    setTreeItemImage(tree, findListItem(tree, name), kListIconScheduled);
  });
}

}  // namespace tolvane::win32
