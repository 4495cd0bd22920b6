#pragma once
// A window as the picker shows and stores it: its title and class in one
// text, "%s[class]%s", or the title alone when the class is empty.

#include <string>
#include <string_view>

namespace tolvane {

inline constexpr std::u16string_view kClassMark = u"[class]";

std::u16string combinedWindowText(std::u16string_view title, std::u16string_view className);

struct TitleAndClass {
  std::u16string title;
  std::u16string className;

  bool operator==(const TitleAndClass&) const = default;
};

// Split at the first "[class]"; without one, all of it is the title.
TitleAndClass splitWindowText(std::u16string_view combined);

}  // namespace tolvane
