#pragma once
// Which topic of Tolvane.chm belongs to a window: the Help key opens the
// topic chosen by the end of the active window's caption.

#include <string_view>

namespace tolvane::win32 {

inline constexpr std::u16string_view kMainHelpTopic = u"::/helpTolvane.htm";

// The topic for a window caption; the main topic when no ending matches.
std::u16string_view helpTopicForCaption(std::u16string_view caption);

}  // namespace tolvane::win32
