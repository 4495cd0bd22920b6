#pragma once
// What the running Tolvane does with a request from the command line, on
// its user-interface thread: as the window's Run (3002) and Stop (3003)
// commands do, but refused as "busy" while an editor, the wizard or the
// hot-key view is open or the exit has begun. The master hot key does not
// matter: a request is not a key.
//
// A chore goes into the chore thread's queue, where no later request can
// replace it (see ChoreCommandSlot::queueChore); a list starts on its own
// thread, with its usual lines ("Chorelist: %s is in progress." for one
// that runs already, which is refused as busy).

#include <functional>
#include <string_view>

#include "library/chore_library.h"
#include "protocol/request_message.h"

namespace tolvane {

struct RequestDeskServices {
  const ChoreLibrary& library;
  std::function<bool()> busy;
  // The chore thread's queue; false when it is full.
  std::function<bool(const Chore&)> queueChore;
  // launchChoreList and stopChoreList: false when nothing was started or
  // asked to stop.
  std::function<bool(std::u16string_view)> launchList;
  std::function<bool(std::u16string_view)> stopList;
};

RequestOutcome decideRequest(const Request& request, const RequestDeskServices& services);

}  // namespace tolvane
