#include "editors/picker/window_text.h"

namespace tolvane {

std::u16string combinedWindowText(std::u16string_view title, std::u16string_view className) {
  std::u16string text(title);
  if (className.empty()) return text;
  text += kClassMark;
  text += className;
  return text;
}

TitleAndClass splitWindowText(std::u16string_view combined) {
  const std::size_t mark = combined.find(kClassMark);
  if (mark == std::u16string_view::npos) return {std::u16string(combined), {}};
  return {std::u16string(combined.substr(0, mark)), std::u16string(combined.substr(mark + kClassMark.size()))};
}

}  // namespace tolvane
