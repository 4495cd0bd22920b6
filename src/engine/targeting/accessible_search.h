#pragma once
// Depth-first search of an accessible object's descendants, bounded so that
// a search in a large application winds up quickly.

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/accessibility.h"

namespace tolvane {

// Non-matching objects a search may visit before it gives up.
inline constexpr std::size_t kAccessibleSearchBound = 3000;

inline constexpr std::u16string_view kUnavailableState = u"unavailable";

// Finds the first descendant (not `root` itself) whose name contains
// `name` (any name when empty) and whose role text equals `role`.
// Objects whose state text contains "unavailable" are skipped together with
// their subtrees. Each search counts its own visits, so searches on other
// threads never cut it short.
std::unique_ptr<AccessibleNode> findAccessible(AccessibleNode& root, std::u16string_view name,
                                               std::u16string_view role);

}  // namespace tolvane
