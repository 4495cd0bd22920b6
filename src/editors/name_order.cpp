#include "editors/name_order.h"

#include <string>

#include "base/text.h"

namespace tolvane {

bool sortsBeforeIgnoringCase(std::u16string_view a, std::u16string_view b) {
  const std::u16string lowerA = asciiLower(a);
  const std::u16string lowerB = asciiLower(b);
  return lowerA != lowerB ? lowerA < lowerB : a < b;
}

}  // namespace tolvane
