#pragma once
// Other programs' user-interface objects as accessibility exposes them:
// used to find and invoke menu items of programs without a classic menu.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/window_info.h"

namespace tolvane {

class AccessibleNode {
 public:
  virtual ~AccessibleNode() = default;

  virtual std::vector<std::unique_ptr<AccessibleNode>> children() = 0;
  virtual std::u16string name() = 0;
  // The system's texts for the object's role and state ("menu item",
  // "unavailable"); a state with several flags lists all of their texts.
  virtual std::u16string roleText() = 0;
  virtual std::u16string stateText() = 0;
  // The object's default action; returns the platform's result code
  // (negative on failure).
  virtual std::int32_t doDefaultAction() = 0;
};

class Accessibility {
 public:
  virtual ~Accessibility() = default;

  // The accessible object of a window, or nothing when the window offers
  // none. The node keeps whatever the platform needs alive until released.
  virtual std::unique_ptr<AccessibleNode> windowObject(WindowHandle window) = 0;
};

}  // namespace tolvane
