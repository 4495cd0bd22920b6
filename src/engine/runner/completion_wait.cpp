#include "engine/runner/completion_wait.h"

#include <algorithm>
#include <array>
#include <functional>

#include "base/format.h"
#include "library/xml_text.h"

namespace tolvane {
namespace {

constexpr std::uint32_t kWaitTimeoutCode = 0x102;

// Polls of 500 ms a budgeted wait may still take; a time-out of 0 (or a
// nonsensical negative one) waits until the list is stopped.
class PollBudget {
 public:
  explicit PollBudget(std::int32_t timeoutSeconds)
      : limited_(timeoutSeconds > 0), polls_(limited_ ? std::int64_t{timeoutSeconds} * 2 : 0) {}
  bool usedUp() const { return limited_ && polls_ <= 0; }
  void take() { --polls_; }

 private:
  bool limited_;
  std::int64_t polls_;
};

enum class PollEnd { Met, TimedOut, Stopped };

// Tests before the first sleep, so a condition that already holds
// completes at once.
PollEnd pollUntil(const RunControl& run, PollBudget& budget, const std::function<bool()>& condition) {
  for (;;) {
    if (condition()) return PollEnd::Met;
    if (budget.usedUp()) return PollEnd::TimedOut;
    if (run.abortRequested()) return PollEnd::Stopped;
    run.sync().sleep(kPollIntervalMs);
    budget.take();
  }
}

StepWait asStepWait(PollEnd end) { return end == PollEnd::TimedOut ? StepWait::TimedOut : StepWait::Completed; }

void logWaiting(const RunControl& run, std::u16string_view kind, std::u16string_view data) {
  run.log().activity(formatText(u"Chore list: %s, waiting for %s:%s", run.listName(), kind, data), false);
}

StepWait waitForWindowCreated(const RunControl& run, const Chore& step) {
  logWaiting(run, u"WND_CREATED", step.compData);
  PollBudget budget(step.timeout);
  return asStepWait(pollUntil(run, budget, [&] {
    return run.services().windowExists(step.compData, step.stepPartialMatch, true);
  }));
}

// The window must first appear (and is brought forward when it does), then
// go; both phases draw on one budget.
StepWait waitForWindowDestroyed(const RunControl& run, const Chore& step) {
  logWaiting(run, u"WND_DESTROYED", step.compData);
  PollBudget budget(step.timeout);
  const PollEnd appeared = pollUntil(run, budget, [&] {
    return run.services().windowExists(step.compData, step.stepPartialMatch, true);
  });
  if (appeared != PollEnd::Met) return asStepWait(appeared);
  return asStepWait(pollUntil(run, budget, [&] {
    return !run.services().windowExists(step.compData, step.stepPartialMatch, false);
  }));
}

StepWait waitForFileCreated(const RunControl& run, const Chore& step) {
  logWaiting(run, u"FILE_CREATED", step.compData);
  PollBudget budget(step.timeout);
  return asStepWait(pollUntil(run, budget, [&] { return run.services().fileExists(step.compData); }));
}

StepWait waitForFileDeleted(const RunControl& run, const Chore& step) {
  logWaiting(run, u"FILE_DELETED", step.compData);
  PollBudget budget(step.timeout);
  const PollEnd appeared = pollUntil(run, budget, [&] { return run.services().fileExists(step.compData); });
  if (appeared != PollEnd::Met) return asStepWait(appeared);
  return asStepWait(pollUntil(run, budget, [&] { return !run.services().fileExists(step.compData); }));
}

StepWait askUser(const RunControl& run, const Chore& step) {
  logWaiting(run, u"USER_PROMPT", step.compData);
  if (!run.services().askYesNo(step.compData, formatText(u"%s: %s", u"Tolvane", step.compData))) run.requestAbort();
  return StepWait::Completed;
}

StepWait waitForHotKey(const RunControl& run, const Chore& step) {
  logWaiting(run, u"WAIT_HOTKEY", run.services().hotKeyText(step.hotKeyChore));
  if (!step.completionEvent) return StepWait::Completed;
  std::shared_ptr<Event> termEvent;
  run.record().update([&](ChoreList& list) { termEvent = list.termEvent; });
  std::array<Event*, 2> events{step.completionEvent.get(), termEvent.get()};
  const std::size_t count = termEvent ? 2 : 1;
  const std::uint32_t timeoutMs =
      step.timeout > 0 ? static_cast<std::uint32_t>(std::min<std::int64_t>(std::int64_t{step.timeout} * 1000, kWaitForever - 1))
                       : kWaitForever;
  const WaitAnyResult waited = run.sync().waitAny(std::span<Event* const>(events.data(), count), timeoutMs);
  const int result = waited.index;
  if (result == -2) {
    // A wait that cannot be made cannot tell whether the key was pressed:
    // the list stops rather than report the step as completed.
    run.log().debug(formatText(u"WAIT_HOTKEY WaitForMultipleObjects() failed. Error code:%08.8x", waited.error));
    run.requestAbort();
    return StepWait::Completed;
  }
  const std::uint32_t code = result >= 0 ? static_cast<std::uint32_t>(result) : kWaitTimeoutCode;
  run.log().debug(formatText(u"WAIT_HOTKEY WaitForMultipleObjects() return value: %08.8x, index:%d", code, code));
  return result == -1 ? StepWait::TimedOut : StepWait::Completed;
}

StepWait delay(const RunControl& run, const Chore& step) {
  run.log().activity(formatText(u"Chore list: %s, waiting for DELAY:%s seconds", run.listName(), step.compData), false);
  const std::uint32_t seconds = delaySeconds(step.compData);
  for (std::uint32_t tick = 0; tick < seconds && !run.abortRequested(); ++tick) run.sync().sleep(kDelayTickMs);
  return StepWait::Completed;
}

// The clipboard is emptied first so that text copied before the step cannot
// complete it, and again after the match so the next step starts clean.
StepWait waitForClipboard(const RunControl& run, const Chore& step) {
  run.services().clearClipboard();
  logWaiting(run, u"WAIT_CLIPBOARD", step.compData);
  PollBudget budget(step.timeout);
  for (;;) {
    if (run.abortRequested()) return StepWait::Completed;
    run.sync().sleep(kPollIntervalMs);
    budget.take();
    if (run.services().clipboardText().find(step.compData) != std::u16string::npos) {
      run.services().clearClipboard();
      return StepWait::Completed;
    }
    if (budget.usedUp()) return StepWait::TimedOut;
  }
}

}  // namespace

std::uint32_t delaySeconds(std::u16string_view text) {
  return static_cast<std::uint32_t>(std::max<std::int32_t>(xml::toInt(text), 0));
}

StepWait waitForCompletion(const RunControl& run, const Chore& step) {
  switch (step.compType) {
    case WND_CREATED:
      return waitForWindowCreated(run, step);
    case WND_DESTROYED:
      return waitForWindowDestroyed(run, step);
    case FILE_CREATED:
      return waitForFileCreated(run, step);
    case FILE_DELETED:
      return waitForFileDeleted(run, step);
    case USER_PROMPT:
      return askUser(run, step);
    case WAIT_HOTKEY:
      return waitForHotKey(run, step);
    case DELAY:
      return delay(run, step);
    case WAIT_CLIPBOARD:
      return waitForClipboard(run, step);
    default:
      return StepWait::Completed;
  }
}

}  // namespace tolvane
