#pragma once
// How the command thread reaches an Explorer window. The browser belongs
// to its window's thread, so the command thread never calls it: it posts a
// request to a message window that the object keeps on that thread, and
// the object navigates there.

namespace tolvane::companion {

enum class NavigationRequest { Posted, NoWindow, NotPosted };

// Asks the primary window to navigate when it is this process's and still
// open, else the most recently opened window of this process that is.
NavigationRequest requestNavigation();

}  // namespace tolvane::companion
