#include "shell/main_window/main_layout.h"

#include <cmath>

#include "base/format.h"

namespace tolvane::win32 {

namespace {
int px(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }
}  // namespace

MainLayout computeMainLayout(int w, int h, int treeTop, int statusBarHeight, double scale) {
  MainLayout layout;
  layout.toolbar = {0, 0, px(24, scale), h - px(50, scale)};
  layout.tree = {px(26, scale), treeTop, w - px(10, scale), static_cast<int>(0.7 * h)};
  layout.activity = {px(26, scale), layout.tree.bottom + px(13, scale), w - px(10, scale),
                     h - statusBarHeight - px(12, scale)};
  if (layout.tree.bottom < layout.tree.top) layout.tree.bottom = layout.tree.top;
  if (layout.activity.bottom < layout.activity.top) layout.activity.bottom = layout.activity.top;
  return layout;
}

std::u16string statusText(const std::vector<std::u16string>& runningLists) {
  if (runningLists.empty()) return u"Tolvane at your service...";
  std::u16string text;
  for (const auto& name : runningLists) {
    if (!text.empty()) text += u", ";
    text += name;
  }
  return text + u" in progress...";
}

std::u16string choreCountText(int chores, int lists) { return formatText(u"%d/%d", chores, lists); }

}  // namespace tolvane::win32
