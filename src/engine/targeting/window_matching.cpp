#include "engine/targeting/window_matching.h"

namespace tolvane {

namespace {

bool contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

bool isTooltip(const WindowInfo& window) { return window.className == kTooltipClass; }

}  // namespace

bool hasWindowToLookFor(std::u16string_view text, std::u16string_view className) {
  return !text.empty() || !className.empty();
}

const WindowInfo* matchMainWindow(const WindowInfoList& windows, std::u16string_view text,
                                  std::u16string_view className, bool partialMatch) {
  if (!hasWindowToLookFor(text, className)) return nullptr;
  for (const WindowInfo& window : windows) {
    if (isTooltip(window)) continue;
    if ((text.empty() || window.text == text) && (className.empty() || window.className == className)) {
      return &window;
    }
  }
  if (!partialMatch) return nullptr;
  for (const WindowInfo& window : windows) {
    if (isTooltip(window)) continue;
    if (contains(window.text, text) && contains(window.className, className)) return &window;
  }
  return nullptr;
}

const WindowInfo* matchControl(const WindowInfoList& children, std::u16string_view text,
                               std::u16string_view className) {
  if (text.empty()) return nullptr;
  for (const WindowInfo& child : children) {
    if (isTooltip(child)) continue;
    if (child.text == text && (className.empty() || child.className == className)) return &child;
  }
  return nullptr;
}

bool findTargetWindow(Desktop& desktop, WindowTarget& main, WindowTarget& control, bool partialMatch) {
  if (!hasWindowToLookFor(main.text, main.className)) return false;
  const WindowInfoList windows = desktop.mainWindows();
  const WindowInfo* found = matchMainWindow(windows, main.text, main.className, partialMatch);
  if (!found) return false;
  main.window = found->window;
  main.controlId = found->controlId;
  if (control.text.empty()) return true;

  const WindowInfoList children = desktop.childWindows(found->window);
  const WindowInfo* child = matchControl(children, control.text, control.className);
  if (!child) return false;
  control.window = child->window;
  control.controlId = child->controlId;
  return true;
}

bool windowExists(Desktop& desktop, std::u16string_view text, bool partialMatch, bool activate) {
  // An empty text would occur in every title and make any wait succeed at once.
  if (text.empty()) return false;
  const WindowInfoList windows = desktop.mainWindows();
  const WindowInfo* found = matchMainWindow(windows, text, u"", partialMatch);
  if (!found) return false;
  if (activate) desktop.bringToForeground(found->window);
  return true;
}

}  // namespace tolvane
