#pragma once
// What the chore tree and the library hold, in order, so that a test can
// compare the two.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "library/chore_library.h"
#include "shell/main_window/chore_tree.h"

namespace tolvane::test {

inline std::vector<std::u16string> childTexts(const win32::ChoreTree& tree, HTREEITEM parent) {
  std::vector<std::u16string> texts;
  for (HTREEITEM child = TreeView_GetChild(tree.hwnd(), parent); child;
       child = TreeView_GetNextSibling(tree.hwnd(), child)) {
    texts.push_back(tree.itemText(child));
  }
  return texts;
}

inline std::vector<std::u16string> libraryChoreNames(const ChoreLibrary& library) {
  std::vector<std::u16string> names;
  for (int i = 0; i < library.choreCount(); ++i) names.push_back(library.choreAt(i).name);
  return names;
}

}  // namespace tolvane::test
