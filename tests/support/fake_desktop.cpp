#include "support/fake_desktop.h"

#include <algorithm>

namespace tolvane::test {

WindowInfo& FakeDesktop::addWindow(WindowHandle window, std::u16string text, std::u16string className) {
  WindowInfo info;
  info.text = std::move(text);
  info.className = std::move(className);
  info.window = window;
  info.moduleBaseName = u"app.exe";
  info.modulePath = u"C:\\app\\app.exe";
  windows.push_back(std::move(info));
  return windows.back();
}

void FakeDesktop::addChild(WindowHandle parent, WindowHandle child, std::u16string text, std::u16string className,
                           std::int32_t controlId) {
  WindowInfo info;
  info.text = std::move(text);
  info.className = std::move(className);
  info.window = child;
  info.controlId = controlId;
  children[parent].push_back(std::move(info));
}

WindowInfoList FakeDesktop::mainWindows() {
  ++enumerations;
  return windows;
}

WindowInfoList FakeDesktop::childWindows(WindowHandle parent) {
  auto it = children.find(parent);
  return it == children.end() ? WindowInfoList() : it->second;
}

bool FakeDesktop::bringToForeground(WindowHandle window) {
  broughtToFront.push_back(window);
  return true;
}

std::optional<std::vector<ClassicMenuItem>> FakeDesktop::classicMenu(WindowHandle window) {
  auto it = menus.find(window);
  if (it == menus.end()) return std::nullopt;
  return it->second;
}

FakeAccessibleObject& FakeAccessibleObject::add(std::u16string childName, std::u16string childRole,
                                                std::u16string childState) {
  auto child = std::make_shared<FakeAccessibleObject>();
  child->name = std::move(childName);
  child->role = std::move(childRole);
  child->state = std::move(childState);
  children.push_back(child);
  return *child;
}

namespace {

class FakeNode : public AccessibleNode {
 public:
  explicit FakeNode(std::shared_ptr<FakeAccessibleObject> object) : object_(std::move(object)) {}

  std::vector<std::unique_ptr<AccessibleNode>> children() override {
    std::vector<std::unique_ptr<AccessibleNode>> nodes;
    for (const auto& child : object_->children) nodes.push_back(std::make_unique<FakeNode>(child));
    return nodes;
  }
  std::u16string name() override { return object_->name; }
  std::u16string roleText() override { return object_->role; }
  std::u16string stateText() override { return object_->state; }
  std::int32_t doDefaultAction() override {
    ++object_->actions;
    return object_->actionResult;
  }

 private:
  std::shared_ptr<FakeAccessibleObject> object_;
};

}  // namespace

FakeAccessibleObject& FakeAccessibility::rootOf(WindowHandle window) {
  auto& root = roots[window];
  if (!root) {
    root = std::make_shared<FakeAccessibleObject>();
    root->role = u"window";
  }
  return *root;
}

std::unique_ptr<AccessibleNode> FakeAccessibility::windowObject(WindowHandle window) {
  auto it = roots.find(window);
  if (it == roots.end()) return nullptr;
  return std::make_unique<FakeNode>(it->second);
}

WindowHandle FakeExplorerWindows::open(std::u16string title, WindowPlacement placement, std::u16string className) {
  Window window;
  window.record.window = nextHandle++;
  window.record.title = std::move(title);
  window.record.placement = placement;
  window.className = std::move(className);
  window.visibleAtMs = nowMs;
  windows.push_back(window);
  return window.record.window;
}

ExplorerWindowList FakeExplorerWindows::windowsOfClass(std::u16string_view className) {
  ExplorerWindowList list;
  for (const Window& window : windows) {
    if (window.className == className && window.visibleAtMs <= nowMs) list.push_back(window.record);
  }
  return list;
}

std::u16string FakeExplorerWindows::windowTitle(WindowHandle window) {
  for (const Window& candidate : windows) {
    if (candidate.record.window == window) return candidate.record.title;
  }
  return {};
}

void FakeExplorerWindows::setPlacement(WindowHandle window, const WindowPlacement& placement) {
  placementsSet[window] = placement;
}

void FakeExplorerWindows::closeWindow(WindowHandle window) {
  closed.push_back(window);
  std::erase_if(windows, [window](const Window& candidate) { return candidate.record.window == window; });
}

std::uint32_t FakeExplorerWindows::startProgram(std::u16string_view commandLine) {
  if (failStartWith && started.size() >= failStartAfter) return *failStartWith;
  started.emplace_back(commandLine);
  const std::size_t at = commandLine.find(u"/e,");
  const std::u16string title = at == std::u16string_view::npos ? u"Desktop" : std::u16string(commandLine.substr(at + 3));
  open(title, {}, startedClass);
  windows.back().visibleAtMs = nowMs + appearAfterMs;
  windows.back().started = true;
  return 0;
}

bool FakeExplorerWindows::startedWindowShown() const {
  return std::any_of(windows.begin(), windows.end(),
                     [this](const Window& window) { return window.started && window.visibleAtMs <= nowMs; });
}

void FakeExplorerWindows::sleep(std::uint32_t milliseconds) { nowMs += milliseconds; }

bool FakeExplorerWindows::bringToForeground(WindowHandle window) {
  broughtToFront.push_back(window);
  nowMs += 300;
  return true;
}

}  // namespace tolvane::test
