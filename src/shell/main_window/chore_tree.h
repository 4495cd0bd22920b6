#pragma once
// The main window's chore tree: the roots "Chores" and "Chore Lists", a
// chore per item, a list per item with its steps below it. Item texts are
// the only link to the library's records. The tree is filled once at
// start-up; its expansion and selection go to the settings at close.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "controls/tree_view/tree_items.h"
#include "library/chore_library.h"
#include "library/settings/settings.h"
#include "library/summary_text.h"
#include "library/tree_commands.h"
#include "platform/clock.h"

namespace tolvane::win32 {

inline constexpr char16_t kChoresRootText[] = u"Chores";
inline constexpr char16_t kListsRootText[] = u"Chore Lists";
inline constexpr int kChoresRootImage = 9;
inline constexpr int kListsRootImage = 10;
inline constexpr int kUnknownChoreImage = 16;

struct TreeItemInfo {
  TreeItemKind kind = TreeItemKind::None;
  HTREEITEM item = nullptr;
  std::u16string name;      // the chore's, list's or step's chore name; the root's text
  std::u16string listName;  // for a step: its list
  int stepIndex = -1;
};

// The image of a chore or step: its action's, or the unknown type's for a
// type no action has.
int choreImage(std::int32_t type);

// Which half of a list's tooltip the pointer asks for, from the tree's
// hit-test flags: the label's, or the schedule anywhere else.
ListSummaryPart listTipPart(UINT hitFlags);

class ChoreTree {
 public:
  void attach(HWND tree) { tree_ = tree; }
  HWND hwnd() const { return tree_; }

  // Bitmap 133 as the tree's image list; the tree keeps it until the
  // window goes.
  bool loadImages(HINSTANCE instance, int bitmapId);

  void fill(const ChoreLibrary& library, const Settings& settings, const Clock& clock);
  void rememberInto(Settings& settings) const;

  TreeItemInfo describe(HTREEITEM item) const;
  TreeItemInfo selected() const { return describe(TreeView_GetSelection(tree_)); }
  // The item whose label or icon is at the point of the screen; null for
  // empty space, a +/- button or the row beside the label.
  HTREEITEM itemAt(POINT screen) const;

  // Items for a record the editors made, inserted after `after` (an item
  // of the same kind, TVI_FIRST or TVI_LAST); a list's item has one child
  // per step.
  HTREEITEM insertChore(HTREEITEM after, const Chore& chore);
  HTREEITEM insertList(HTREEITEM after, const ChoreList& list, int image);
  // A new label and image for an item.
  void setItem(HTREEITEM item, std::u16string_view text, int image);
  void setImage(HTREEITEM item, int image) { setTreeItemImage(tree_, item, image); }
  // The list item's children become the steps.
  void replaceSteps(HTREEITEM listItem, const std::vector<Chore>& steps);
  // Every step item of every list named `oldName` shows `chore`.
  void renameSteps(std::u16string_view oldName, const Chore& chore);
  void select(HTREEITEM item);
  void setText(HTREEITEM item, std::u16string_view text);
  void remove(HTREEITEM item);

  // Sorts a root's children (with their own children) by `compare`, which
  // is given two of their labels.
  using LabelCompare = std::function<int(std::u16string_view, std::u16string_view)>;
  void sortChildren(HTREEITEM root, const LabelCompare& compare);

  HTREEITEM choresRoot() const { return choresRoot_; }
  HTREEITEM listsRoot() const { return listsRoot_; }
  HTREEITEM findChild(HTREEITEM parent, std::u16string_view text) const;
  // The parent's child at a zero-based index; null when it has fewer.
  HTREEITEM childAt(HTREEITEM parent, int index) const { return treeChildAt(tree_, parent, index); }
  std::u16string itemText(HTREEITEM item) const { return treeItemText(tree_, item); }
  bool isExpanded(HTREEITEM item) const;

 private:
  HTREEITEM insert(HTREEITEM parent, std::u16string_view text, int image, HTREEITEM after = TVI_LAST);
  void insertSteps(HTREEITEM listItem, const std::vector<Chore>& steps);
  void restoreSelection(const Settings& settings);
  // A chore's or list's label as its item carries it for sorting.
  void setLabel(HTREEITEM item, std::u16string_view text);

  HWND tree_ = nullptr;
  HTREEITEM choresRoot_ = nullptr;
  HTREEITEM listsRoot_ = nullptr;
  // Each chore and list item carries a number (its item data, given as it
  // is inserted) that finds its label here, so that a sort compares labels
  // without asking the tree item by item: the tree view of Wine finds an
  // item by a search through all items, which makes every pass over a
  // branch of 10,000 items cost 10,000 searches.
  std::unordered_map<LPARAM, std::u16string> labels_;
  LPARAM nextLabel_ = 1;
};

}  // namespace tolvane::win32
