#include "shell/running/running_lists.h"

#include <ctime>
#include <string>
#include <vector>

namespace tolvane::win32 {

RunningLists::RunningLists(RunningListsServices services)
    : s_(std::move(services)),
      ownerlessPrompts_(nullptr),
      runnerServices_(RunnerPlatform{s_.executeChore, s_.desktop, s_.files, s_.clipboard, ownerlessPrompts_, s_.sounds,
                                     [this](std::u16string_view name) { s_.launchChoreList(name); }}),
      display_(s_.clock, s_.setTrayTip),
      runnerContext_{s_.library, runnerServices_, s_.sync, s_.log, &display_},
      schedulerContext_{s_.library,
                        s_.clock,
                        s_.sync,
                        s_.log,
                        s_.schedulerEvent,
                        s_.exitRequested,
                        s_.debugLogging,
                        [this](std::u16string_view name) { s_.launchChoreList(name); },
                        &display_} {}

std::function<void(ChoreListId)> RunningLists::threadBody() {
  return [this](ChoreListId id) {
    LibraryListRecord record(s_.library, id);
    choreListThreadProc(runnerContext_, record);
  };
}

bool RunningLists::startScheduler() {
  return s_.sync.startThread([this] { schedulerThreadProc(schedulerContext_); });
}

bool RunningLists::handleMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case TreeRunDisplay::kRunDisplayMessage:
      display_.drain();
      return true;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC) wakeScheduler();
      return false;
    case WM_TIMECHANGE:
      // The C runtime keeps the time zone it read first; local times must
      // follow a new one.
      _tzset();
      wakeScheduler();
      return false;
    default:
      return false;
  }
}

bool RunningLists::stopRunningListAt(int index) {
  const auto running = s_.library.read([](const LibraryContents& contents) {
    std::vector<std::u16string> names;
    for (const ChoreList& list : contents.lists) {
      if (list.inProgress) names.push_back(list.name);
    }
    return names;
  });
  if (index < 0 || index >= static_cast<int>(running.size())) return false;
  return stopList(running[static_cast<std::size_t>(index)]);
}

}  // namespace tolvane::win32
