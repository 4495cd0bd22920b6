#pragma once
// Other programs' windows in a test: records what was posted and placed.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/window_actions.h"

namespace tolvane::test {

class FakeWindowActions : public WindowActions {
 public:
  struct Posted {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Posted&) const = default;
  };
  struct Placed {
    WindowHandle window;
    std::int32_t left, top, width, height;
    bool operator==(const Placed&) const = default;
  };
  std::vector<Posted> posted;
  std::vector<Placed> placed;
  std::vector<WindowHandle> restored;
  std::set<WindowHandle> minimized;
  WindowHandle foreground = 0;
  std::u16string foregroundText;
  std::map<WindowHandle, ScreenRect> rects;

  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    posted.push_back({window, message, wParam, lParam});
    return true;
  }
  bool isMinimized(WindowHandle window) override { return minimized.count(window) != 0; }
  void restore(WindowHandle window) override {
    restored.push_back(window);
    minimized.erase(window);
  }
  bool place(WindowHandle window, std::int32_t left, std::int32_t top, std::int32_t width,
             std::int32_t height) override {
    placed.push_back({window, left, top, width, height});
    return true;
  }
  WindowHandle foregroundWindow() override { return foreground; }
  std::u16string foregroundWindowText() override { return foregroundText; }
  std::optional<ScreenRect> windowRect(WindowHandle window) override {
    const auto found = rects.find(window);
    if (found == rects.end()) return std::nullopt;
    return found->second;
  }
};

}  // namespace tolvane::test
