#pragma once
// The order in which the editors list names and paths: letter case aside,
// then exactly, as a sorted list box keeps them, so that the order never
// depends on the order of reading or adding.

#include <string_view>

namespace tolvane {

bool sortsBeforeIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace tolvane
