#pragma once
// Finding a chore's target window and control among the open windows.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/desktop.h"
#include "platform/window_info.h"

namespace tolvane {

// Tooltip windows carry the text of whatever they describe, so they are
// never taken for the window itself.
inline constexpr std::u16string_view kTooltipClass = u"tooltips_class32";

// What to look for, and on success what was found.
struct WindowTarget {
  std::u16string text;
  std::u16string className;
  WindowHandle window = 0;
  std::int32_t controlId = 0;
};

// A main-window target needs a text or a class: one with neither matches
// nothing.
bool hasWindowToLookFor(std::u16string_view text, std::u16string_view className);

// The first main window whose text and class equal the target's (an empty
// text or class matches any); failing that, with `partialMatch`, the first
// whose text and class contain them. A target with neither text nor class
// matches nothing.
const WindowInfo* matchMainWindow(const WindowInfoList& windows, std::u16string_view text,
                                  std::u16string_view className, bool partialMatch);

// The first child whose text equals the control text exactly and whose class
// equals the control class (or any class when that is empty). Controls are
// never matched partially; an empty control text matches nothing.
const WindowInfo* matchControl(const WindowInfoList& children, std::u16string_view text,
                               std::u16string_view className);

// Finds the main window and, when `control.text` is not empty, the control
// inside it; fills the handles and control ids of what was found. True only
// when everything asked for was found.
bool findTargetWindow(Desktop& desktop, WindowTarget& main, WindowTarget& control, bool partialMatch);

// Whether a main window with that text exists (exact, then with
// `partialMatch` as a substring); with `activate` the first match is brought
// to the front.
bool windowExists(Desktop& desktop, std::u16string_view text, bool partialMatch, bool activate);

}  // namespace tolvane
