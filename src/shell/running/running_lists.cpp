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

namespace {

// Counts a thread as using the object from its start to its last access.
class ActiveThread {
 public:
  explicit ActiveThread(std::atomic<int>& count) : count_(count) { ++count_; }
  ~ActiveThread() { --count_; }
  ActiveThread(const ActiveThread&) = delete;
  ActiveThread& operator=(const ActiveThread&) = delete;

 private:
  std::atomic<int>& count_;
};

// How long the end of the program waits for running lists to stop. A list
// busy in a chore or a question box does not stop; it ends with the process.
constexpr int kStopWaitSteps = 40;
constexpr std::uint32_t kStopWaitStepMs = 50;

}  // namespace

RunningLists::~RunningLists() {
  display_.attach(nullptr, nullptr);
  for (const auto& name : runningListNames(s_.library)) s_.stopChoreList(name);
  // A list just launched is in progress before its thread counts itself.
  for (int step = 0; step < kStopWaitSteps && (activeThreads_.load() > 0 || !runningListNames(s_.library).empty()); ++step) {
    s_.sync.sleep(kStopWaitStepMs);
  }
}

std::function<void(ChoreListId)> RunningLists::threadBody() {
  return [this](ChoreListId id) {
    ActiveThread active(activeThreads_);
    LibraryListRecord record(s_.library, id);
    choreListThreadProc(runnerContext_, record);
  };
}

bool RunningLists::startScheduler() {
  return s_.sync.startThread([this] {
    ActiveThread active(activeThreads_);
    schedulerThreadProc(schedulerContext_);
  });
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

}  // namespace tolvane::win32
