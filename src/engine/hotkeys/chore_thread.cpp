#include "engine/hotkeys/chore_thread.h"

#include "base/format.h"

namespace tolvane {

namespace {

// After a failed wait the thread pauses instead of spinning.
constexpr std::uint32_t kWaitFailurePauseMs = 500;

}  // namespace

int choreThreadProc(ChoreCommandSlot& slot, Sync& sync, LogSink& log,
                    const std::function<bool(const Chore&)>& executeChore) {
  log.debug(u"...entering Tolvane choreThread...");
  for (;;) {
    Event* event = slot.choreEvent();
    if (!event || sync.wait(*event, kWaitForever) != WaitResult::Signaled) {
      if (slot.exitRequested()) break;
      sync.sleep(kWaitFailurePauseMs);
      continue;
    }
    TakenCommand taken = slot.take();
    if (taken.command == kCommandExit) break;
    if (taken.command == kCommandDoChore) {
      if (taken.chore) executeChore(*taken.chore);
    } else if (!taken.command.empty()) {
      log.debug(formatText(u"Unknown Tolvane command: %s", taken.command));
    }
  }
  log.debug(u"...exiting Tolvane choreThread...");
  return kWorkerExitCode;
}

}  // namespace tolvane
