#pragma once
// Other programs' accessible objects (Active Accessibility) behind the
// portable node interface.

#include "platform/accessibility.h"

namespace tolvane::win32 {

// Gives the accessible object of a window (OBJID_WINDOW). COM is
// initialised on the calling thread for as long as any node it handed out
// lives, so nodes must stay on the thread that asked for them.
class Win32Accessibility : public Accessibility {
 public:
  std::unique_ptr<AccessibleNode> windowObject(WindowHandle window) override;
};

}  // namespace tolvane::win32
