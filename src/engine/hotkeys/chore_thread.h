#pragma once
// The chore thread: one long-lived worker that carries out single chores
// handed to it through the command slot, one at a time, until "exit".

#include <functional>

#include "engine/hotkeys/chore_command_slot.h"
#include "platform/log_sink.h"
#include "platform/sync.h"

namespace tolvane {

// Runs until the slot says "exit"; returns the thread's exit code.
int choreThreadProc(ChoreCommandSlot& slot, Sync& sync, LogSink& log,
                    const std::function<bool(const Chore&)>& executeChore);

}  // namespace tolvane
