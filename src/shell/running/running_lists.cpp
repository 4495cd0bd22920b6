#include "shell/running/running_lists.h"

#include <ctime>
#include <string>
#include <vector>

namespace tolvane::win32 {

RunningLists::RunningLists(RunningListsServices services)
    : s_(std::move(services)),
      runnerServices_(RunnerPlatform{s_.executeChore, s_.desktop, s_.files, s_.clipboard, s_.prompts, s_.sounds,
                                     [this](std::u16string_view name) { launchUnlessEnding(name); }}),
      display_(s_.clock, s_.setTrayTip),
      runnerContext_{s_.library, runnerServices_, s_.sync, s_.log, &display_},
      schedulerContext_{s_.library,
                        s_.clock,
                        s_.sync,
                        s_.log,
                        s_.schedulerEvent,
                        s_.exitRequested,
                        s_.debugLogging,
                        [this](std::u16string_view name) { launchUnlessEnding(name); },
                        &display_,
                        &s_.registry} {}

RunningLists::~RunningLists() {
  if (!ending_.load()) endThreads(kEndWaitMs);
}

void RunningLists::launchUnlessEnding(std::u16string_view name) {
  // A list that ends because the program ends does not start its next one.
  if (!ending_.load()) s_.launchChoreList(name);
}

ThreadStarter RunningLists::threadStarter() {
  return [this](std::function<void()> body) { return threads_.start(std::move(body)); };
}

ChoreListThreadBody RunningLists::threadBody() {
  return [this](ChoreListId id) {
    LibraryListRecord record(s_.library, id);
    choreListThreadProc(runnerContext_, record);
  };
}

bool RunningLists::startScheduler() {
  return threads_.start([this] { schedulerThreadProc(schedulerContext_); }) == 0;
}

bool RunningLists::endThreads(std::uint32_t waitMs) {
  ending_.store(true);
  display_.attach(nullptr, nullptr);
  for (const auto& name : runningListNames(s_.library)) s_.stopChoreList(name);
  stopTrialList();
  s_.schedulerEvent.set();
  return threads_.closeAndJoin(waitMs);
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

std::vector<std::u16string> runningListNames(const ChoreLibrary& library) {
  return library.read([](const LibraryContents& contents) {
    std::vector<std::u16string> names;
    for (const ChoreList& list : contents.lists) {
      if (list.inProgress) names.push_back(list.name);
    }
    return names;
  });
}

bool RunningLists::stopRunningListAt(int index) {
  const auto running = runningListNames(s_.library);
  if (index < 0 || index >= static_cast<int>(running.size())) return false;
  return stopList(running[static_cast<std::size_t>(index)]);
}

bool RunningLists::startTrialList(const ChoreList& list) {
  bool prepared = false;
  trial_.update([&](ChoreList& trial) {
    if (trial.inProgress) return;
    trial = list;
    prepared = prepareListRun(trial, s_.sync);
  });
  if (!prepared) return false;
  if (threads_.start([this] { choreListThreadProc(runnerContext_, trial_); }) == 0) return true;
  trial_.update([](ChoreList& trial) { trial.inProgress = false; });
  return false;
}

bool RunningLists::trialListRunning() {
  bool running = false;
  trial_.update([&](ChoreList& trial) { running = trial.inProgress; });
  return running;
}

void RunningLists::stopTrialList() {
  trial_.update([](ChoreList& trial) { requestListStop(trial); });
}

}  // namespace tolvane::win32
