#include "engine/runner/chore_list_runner.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/format.h"
#include "engine/runner/completion_wait.h"
#include "engine/runner/run_control.h"

namespace tolvane {
namespace {

class ChoreListRun {
 public:
  // The steps, name and repeats are those the launch prepared: an edit while
  // the list runs applies from its next run, and the completion events the
  // launch made stay with the steps that wait on them.
  ChoreListRun(const RunnerContext& context, RunningListRecord& record, ChoreList launched)
      : run_(context, record, launched.name), launched_(std::move(launched)) {}

  void execute() {
    const RunnerContext& context = run_.context();
    if (RunDisplay* shown = display()) shown->listStarted(name());
    context.log.activity(formatText(u"Chore list: %s started...", name()), false);
    runPasses();
    finish();
  }

 private:
  RunningListRecord& record() const { return run_.record(); }
  const std::u16string& name() const { return launched_.name; }
  // The trial list runs unseen.
  RunDisplay* display() const { return record().isLibraryList() ? run_.context().display : nullptr; }

  void setCurrentStep(int step) {
    record().update([step](ChoreList& list) { list.currentStep = step; });
  }

  // The tree shows the list under its name of now, and the step only while
  // its items are still this run's steps (an edit while the list runs puts
  // the next run's steps there).
  void showStep(int index) {
    std::u16string shownName = name();
    bool sameSteps = true;
    record().update([&](ChoreList& list) {
      list.currentStep = index;
      shownName = list.name;
      sameSteps = std::equal(list.steps.begin(), list.steps.end(), launched_.steps.begin(), launched_.steps.end(),
                             [](const Chore& a, const Chore& b) { return a.name == b.name; });
    });
    if (RunDisplay* shown = display()) shown->stepStarted(shownName, sameSteps ? index : -1);
  }

  void runPasses() {
    std::int64_t remaining = launched_.schedule.runRepeatCount;
    for (;;) {
      runPass(remaining);
      if (!run_.abortRequested()) postDelay();
      --remaining;
      setCurrentStep(0);
      if (remaining < 0 || run_.abortRequested()) return;
    }
  }

  void runPass(std::int64_t remaining) {
    const RunnerContext& context = run_.context();
    const auto& steps = launched_.steps;
    for (int index = 0; index < static_cast<int>(steps.size()); ++index) {
      const Chore& step = steps[static_cast<std::size_t>(index)];
      showStep(index);
      lastStepTimedOut_ = false;
      if (!context.services.executeChore(step)) {
        run_.requestAbort();
        return;
      }
      const StepWait wait = waitForCompletion(run_, step);
      const auto line = [&](std::u16string_view outcome) {
        return formatText(u"Chore list: %s, count:%d, Chore #%d: %s, CompType: %d %s.", name(), remaining, index,
                          step.name, step.compType, outcome);
      };
      if (run_.abortRequested()) {
        context.log.activity(line(u"terminated"), true);
        return;
      }
      if (wait == StepWait::TimedOut) {
        lastStepTimedOut_ = true;
        context.log.activity(line(u"timed out"), true);
        if (!step.continueOnTimeout) return;
        continue;
      }
      context.log.activity(line(u"completed"), false);
    }
  }

  void postDelay() {
    for (std::int32_t second = 0; second < launched_.schedule.runPostDelay && !run_.abortRequested(); ++second) {
      run_.sync().sleep(kDelayTickMs);
    }
  }

  void finish() {
    const RunnerContext& context = run_.context();
    std::optional<ChoreList> current;
    record().update([&](ChoreList& list) {
      list.runSteps.clear();
      list.termEvent.reset();
      current = list;
    });
    // Drop this run's own references too, so the kernel objects close now.
    for (auto& step : launched_.steps) step.completionEvent.reset();
    launched_.termEvent.reset();
    const ChoreList& ended = current ? *current : launched_;

    const bool terminated = run_.abortRequested() || lastStepTimedOut_;
    if (terminated) context.services.beep();
    context.log.activity(formatText(u"Chore list: %s %s.", name(), terminated ? u"terminated" : u"completed"),
                         terminated);
    if (RunDisplay* shown = display()) shown->listEnded(ended);

    startNextList(ended, terminated);

    // The next list is launched while this one is still in progress, so a
    // list that names itself is refused rather than run again.
    record().update([](ChoreList& list) {
      list.inProgress = false;
      list.abortRequested = false;
      list.currentStep = 0;
      list.runName.clear();
    });
  }

  void startNextList(const ChoreList& list, bool terminated) {
    const RunnerContext& context = run_.context();
    const std::u16string& next = list.schedule.nextChorelist;
    if (next.empty()) return;
    if (context.library.findChoreList(next) < 0) {
      context.log.activity(formatText(u"Chore list: %s the next chore list does not exist: %s.", name(), next), true);
      return;
    }
    if (terminated && !list.schedule.alwaysRun) return;
    context.log.activity(formatText(u"Chore list: %s starting the next chore list: %s.", name(), next), false);
    context.services.launchChoreList(next);
  }

  RunControl run_;
  ChoreList launched_;
  bool lastStepTimedOut_ = false;
};

}  // namespace

void choreListThreadProc(const RunnerContext& context, RunningListRecord& record) {
  context.log.debug(u"...entering Tolvane choreListThread...");
  std::optional<ChoreList> launched;
  record.update([&](ChoreList& list) {
    launched = list;
    launched->name = list.runName;
    launched->steps = std::exchange(launched->runSteps, {});
  });
  if (launched) ChoreListRun(context, record, std::move(*launched)).execute();
  context.log.debug(u"...exiting Tolvane choreListThread...");
}

}  // namespace tolvane
