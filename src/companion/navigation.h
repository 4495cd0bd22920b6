#pragma once
// How the command thread reaches the primary Explorer window. The browser
// belongs to its window's thread, so the command thread never calls it:
// it posts a request to a message window that the primary object keeps
// on that thread, and the object navigates there.

namespace tolvane::companion {

enum class PrimaryNavigation { Requested, NoPrimary, OtherProcess, WindowClosed, NotPosted };

PrimaryNavigation requestPrimaryNavigation();

}  // namespace tolvane::companion
