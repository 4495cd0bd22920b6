#pragma once
// Fakes of the window-side platform interfaces: a desktop of made-up
// windows, an accessible object tree, and Explorer windows that appear when
// "Explorer.exe" is started, in fake time.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.h"
#include "platform/desktop.h"
#include "platform/explorer_windows.h"
#include "platform/log_sink.h"

namespace tolvane::test {

class FakeDesktop : public Desktop {
 public:
  WindowInfoList windows;
  std::map<WindowHandle, WindowInfoList> children;
  std::map<WindowHandle, std::vector<ClassicMenuItem>> menus;
  std::vector<WindowHandle> broughtToFront;
  int enumerations = 0;

  WindowInfo& addWindow(WindowHandle window, std::u16string text, std::u16string className);
  void addChild(WindowHandle parent, WindowHandle child, std::u16string text, std::u16string className,
                std::int32_t controlId);

  WindowInfoList mainWindows() override;
  WindowInfoList childWindows(WindowHandle parent) override;
  bool bringToForeground(WindowHandle window) override;
  std::optional<std::vector<ClassicMenuItem>> classicMenu(WindowHandle window) override;
};

// One object of a made-up accessible tree; the fake hands out views of it.
struct FakeAccessibleObject {
  std::u16string name;
  std::u16string role;
  std::u16string state;
  std::int32_t actionResult = 0;
  int actions = 0;
  std::vector<std::shared_ptr<FakeAccessibleObject>> children;

  FakeAccessibleObject& add(std::u16string childName, std::u16string childRole, std::u16string childState = u"focusable");
};

class FakeAccessibility : public Accessibility {
 public:
  std::map<WindowHandle, std::shared_ptr<FakeAccessibleObject>> roots;

  FakeAccessibleObject& rootOf(WindowHandle window);
  std::unique_ptr<AccessibleNode> windowObject(WindowHandle window) override;
};

// Explorer windows in fake time: a started program opens one window of the
// Explorer class `appearAfterMs` later, titled with what follows "/e," (or
// "Desktop"); closing removes a window at once.
class FakeExplorerWindows : public ExplorerWindows {
 public:
  struct Window {
    ExplorerWindowRecord record;
    std::u16string className = u"ExploreWClass";
    std::uint64_t visibleAtMs = 0;
    bool started = false;  // opened by startProgram
  };

  std::vector<Window> windows;
  std::vector<std::u16string> started;
  std::vector<WindowHandle> closed;
  std::vector<WindowHandle> broughtToFront;
  std::map<WindowHandle, WindowPlacement> placementsSet;
  std::uint64_t nowMs = 0;
  std::uint64_t appearAfterMs = 300;
  std::u16string startedClass = u"ExploreWClass";
  std::optional<std::uint32_t> failStartWith;
  std::size_t failStartAfter = 0;  // failures begin after this many starts
  WindowHandle nextHandle = 0x1000;

  WindowHandle open(std::u16string title, WindowPlacement placement = {}, std::u16string className = u"ExploreWClass");

  ExplorerWindowList windowsOfClass(std::u16string_view className) override;
  std::u16string windowTitle(WindowHandle window) override;
  void setPlacement(WindowHandle window, const WindowPlacement& placement) override;
  void closeWindow(WindowHandle window) override;
  std::uint32_t startProgram(std::u16string_view commandLine) override;
  void sleep(std::uint32_t milliseconds) override;
  std::uint64_t tickMs() override { return nowMs; }
  bool bringToForeground(WindowHandle window) override;

  // A started window shows: where Explorer hosts the companion, it is up.
  bool startedWindowShown() const;
};

class RecordingLog : public LogSink {
 public:
  struct Line {
    std::u16string text;
    bool isError;
  };
  std::vector<Line> activityLines;
  std::vector<std::u16string> debugLines;

  void activity(std::u16string_view text, bool isError) override { activityLines.push_back({std::u16string(text), isError}); }
  void debug(std::u16string_view text) override { debugLines.emplace_back(text); }
};

}  // namespace tolvane::test
