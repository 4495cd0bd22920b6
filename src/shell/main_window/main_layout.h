#pragma once
// Where the main window's children go for a client size: the toolbar down
// the left edge, the tree over the upper 70 %, the activity list below it
// down to just above the status bar. Pixel numbers are at 96 DPI and are
// scaled by `scale`.

#include <string>
#include <string_view>
#include <vector>

namespace tolvane::win32 {

struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const Box&, const Box&) = default;
};

struct MainLayout {
  Box toolbar;
  Box tree;
  Box activity;
};

MainLayout computeMainLayout(int clientWidth, int clientHeight, int treeTop, int statusBarHeight, double scale);

// Pane 0 of the status bar (and its tip).
std::u16string statusText(const std::vector<std::u16string>& runningLists);
// Pane 1: "chores/lists".
std::u16string choreCountText(int chores, int lists);

}  // namespace tolvane::win32
