#include "engine/targeting/accessible_search.h"

#include <utility>

namespace tolvane {

namespace {

class BoundedSearch {
 public:
  BoundedSearch(std::u16string_view name, std::u16string_view role) : name_(name), role_(role) {}

  std::unique_ptr<AccessibleNode> below(AccessibleNode& parent) {
    for (std::unique_ptr<AccessibleNode>& child : parent.children()) {
      if (child->stateText().find(kUnavailableState) != std::u16string::npos) continue;
      if (child->roleText() == role_ && child->name().find(name_) != std::u16string::npos) {
        return std::move(child);
      }
      // Past the bound this level gives up without looking further; the
      // levels above each test at most one more child before they do too.
      if (++visited_ > kAccessibleSearchBound) return nullptr;
      if (std::unique_ptr<AccessibleNode> found = below(*child)) return found;
    }
    return nullptr;
  }

 private:
  std::u16string_view name_;
  std::u16string_view role_;
  std::size_t visited_ = 0;
};

}  // namespace

std::unique_ptr<AccessibleNode> findAccessible(AccessibleNode& root, std::u16string_view name,
                                               std::u16string_view role) {
  return BoundedSearch(name, role).below(root);
}

}  // namespace tolvane
