#include "engine/runner/chore_list_runner.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "library/library_edits.h"
#include "runner_fixture.h"

namespace tolvane::test {
namespace {

using ::testing::ElementsAre;

TEST_F(RunnerTest, FailedChoreTerminatesWithoutWaitsDelaysOrRepeats) {
  auto list = makeList(u"Fail", {makeStep(u"broken", DELAY, u"5"), makeStep(u"next", COMP_NONE)});
  list.schedule.runPostDelay = 10;
  list.schedule.runRepeatCount = 3;
  const auto id = add(list);
  services.failing.insert(u"broken");
  run(id);

  EXPECT_EQ(time.elapsedMs(), 0u);
  EXPECT_THAT(services.executed, ElementsAre("broken"));
  EXPECT_THAT(log.activityTexts(), ElementsAre("Chore list: Fail started...", "Chore list: Fail terminated."));
  EXPECT_TRUE(log.find("Chore list: Fail terminated.")->isError);
  EXPECT_EQ(services.beeps, 1);
}

TEST_F(RunnerTest, RepeatCountTwoRunsThreePassesEachFollowedByThePostDelay) {
  auto list = makeList(u"Thrice", {makeStep(u"a", COMP_NONE), makeStep(u"b", DELAY, u"1")});
  list.schedule.runPostDelay = 2;
  list.schedule.runRepeatCount = 2;
  const auto id = add(list);
  run(id);

  EXPECT_THAT(services.executed, ElementsAre("a", "b", "a", "b", "a", "b"));
  EXPECT_EQ(loggedAt("count:2, Chore #1: b, CompType: 7 completed."), 1000u);
  EXPECT_EQ(loggedAt("count:1, Chore #1: b, CompType: 7 completed."), 4000u);
  EXPECT_EQ(loggedAt("count:0, Chore #1: b, CompType: 7 completed."), 7000u);
  EXPECT_EQ(loggedAt("Chore list: Thrice completed."), 9000u);
  EXPECT_FALSE(log.find("Chore list: Thrice completed.")->isError);
  EXPECT_EQ(services.beeps, 0);
}

TEST_F(RunnerTest, TimeOutEndsThePassButRepeatsFollowAndOnlyALastTimeOutTerminates) {
  auto strict = makeList(u"Strict", {makeStep(u"wait", FILE_CREATED, u"x", 1), makeStep(u"skipped", COMP_NONE)});
  strict.schedule.runRepeatCount = 1;
  strict.schedule.runPostDelay = 1;
  const auto strictId = add(strict);
  run(strictId);
  EXPECT_THAT(services.executed, ElementsAre("wait", "wait"));
  EXPECT_EQ(log.count("Chore #0: wait, CompType: 3 timed out."), 2);
  EXPECT_EQ(loggedAt("Chore list: Strict terminated."), 4000u);  // 2 x (1 s wait + 1 s post delay)

  auto lenient = makeList(u"Lenient", {makeStep(u"wait", FILE_CREATED, u"x", 1), makeStep(u"then", COMP_NONE)});
  lenient.steps[0].continueOnTimeout = true;
  run(add(lenient));
  EXPECT_TRUE(log.find("Chore list: Lenient, count:0, Chore #1: then, CompType: 0 completed."));
  EXPECT_FALSE(log.find("Chore list: Lenient completed.")->isError);
  EXPECT_EQ(services.beeps, 1);
}

TEST_F(RunnerTest, NextListStartsAfterCompletionOrWithAlwaysRunAndIsReportedWhenMissing) {
  const auto withNext = [](std::u16string name, std::u16string next, bool fails, bool alwaysRun) {
    auto list = makeList(std::move(name), {makeStep(fails ? u"bad" : u"good", COMP_NONE)});
    list.schedule.nextChorelist = std::move(next);
    list.schedule.alwaysRun = alwaysRun;
    return list;
  };
  services.failing.insert(u"bad");
  add(makeList(u"Target", {}));
  run(add(withNext(u"Done", u"Target", false, false)));
  run(add(withNext(u"Failed", u"Target", true, false)));
  run(add(withNext(u"Always", u"Target", true, true)));
  run(add(withNext(u"Lost", u"Nowhere", false, false)));
  const auto self = add(withNext(u"Self", u"Self", false, false));
  run(self);

  EXPECT_THAT(services.launched, ElementsAre("Target", "Target"));
  EXPECT_TRUE(log.find("Chore list: Done starting the next chore list: Target."));
  EXPECT_FALSE(log.find("Chore list: Failed starting"));
  EXPECT_TRUE(log.find("Chore list: Always starting the next chore list: Target."));
  EXPECT_TRUE(log.find("Chore list: Lost the next chore list does not exist: Nowhere.")->isError);
  // A list naming itself is refused because it is still in progress.
  EXPECT_TRUE(log.find("Chorelist: Self is in progress.")->isError);
  EXPECT_FALSE(listById(self).inProgress);
}

TEST_F(RunnerTest, EndOfRunClearsRunTimeFieldsAndClosesTheListsEvents) {
  auto list = makeList(u"Clean", {makeStep(u"k", WAIT_HOTKEY, u"", 1), makeStep(u"q", USER_PROMPT, u"?")});
  list.steps[0].continueOnTimeout = true;
  services.answerYes = false;
  const auto id = add(list);
  run(id);

  const ChoreList after = listById(id);
  EXPECT_FALSE(after.inProgress);
  EXPECT_FALSE(after.abortRequested);
  EXPECT_EQ(after.currentStep, 0);
  EXPECT_FALSE(after.termEvent);
  EXPECT_TRUE(after.runSteps.empty());
  EXPECT_FALSE(time.eventExists(u"_hkChComp_Clean_0"));
  EXPECT_FALSE(time.eventExists(u"_hkChoreListTerm_Clean"));
  EXPECT_THAT(display.calls(), ElementsAre("started Clean", "step Clean 0", "step Clean 1", "ended Clean"));
}

TEST_F(RunnerTest, RunningListStaysBoundToItsOwnRecordWhileListsAreSortedAddedOrDeleted) {
  add(makeList(u"Alpha", {}));
  const auto id = add(makeList(u"Mine", {makeStep(u"a", DELAY, u"2"), makeStep(u"b", DELAY, u"2")}));
  add(makeList(u"Zulu", {}));
  int stepSeenAfterSort = -1;
  time.at(1000, [&] {
    library.edit([](LibraryContents& contents) {
      std::reverse(contents.lists.begin(), contents.lists.end());
      contents.lists.insert(contents.lists.begin(), makeList(u"Newcomer", {}));
      contents.lists.erase(std::find_if(contents.lists.begin(), contents.lists.end(),
                                        [](const ChoreList& l) { return l.name == u"Alpha"; }));
    });
  });
  time.at(3000, [&] { stepSeenAfterSort = listById(id).currentStep; });
  run(id);

  EXPECT_EQ(stepSeenAfterSort, 1);
  EXPECT_TRUE(log.find("Chore list: Mine completed."));
  library.read([&](const LibraryContents& contents) {
    for (const auto& list : contents.lists) {
      EXPECT_FALSE(list.inProgress) << toUtf8(list.name);
      EXPECT_EQ(list.currentStep, 0) << toUtf8(list.name);
    }
  });

  // Deleted while it runs: it ends at its next check, as if stopped.
  const auto doomed = add(makeList(u"Doomed", {makeStep(u"a", DELAY, u"50")}));
  const std::uint64_t start = time.elapsedMs();
  time.at(start + 2500, [&] {
    library.edit([&](LibraryContents& contents) {
      std::erase_if(contents.lists, [&](const ChoreList& l) { return l.id == doomed; });
    });
  });
  run(doomed);
  EXPECT_EQ(loggedAt("Chore #0: a, CompType: 7 terminated."), start + 3000);
}

TEST_F(RunnerTest, AnEditWhileTheListRunsIsKeptForItsNextRun) {
  auto list = makeList(u"Daily", {makeStep(u"a", DELAY, u"2"), makeStep(u"b", COMP_NONE)});
  list.schedule.runRepeatCount = 1;
  const auto id = add(list);
  time.at(1000, [&] { replaceChoreList(library, u"Daily", makeList(u"Nightly", {makeStep(u"x", COMP_NONE)})); });
  run(id);
  EXPECT_THAT(services.executed, ElementsAre("a", "b", "a", "b"));
  EXPECT_TRUE(log.find("Chore list: Daily, count:0, Chore #1: b, CompType: 0 completed."));
  // The tree shows the list under its new name, and none of its new steps as this run's.
  EXPECT_THAT(display.calls(), ElementsAre("started Daily", "step Daily 0", "step Nightly -1", "step Nightly -1",
                                           "step Nightly -1", "ended Nightly"));

  run(id);
  EXPECT_THAT(services.executed, ElementsAre("a", "b", "a", "b", "x"));
  EXPECT_TRUE(log.find("Chore list: Nightly completed."));
}

TEST_F(RunnerTest, WizardTrialListRunsFromItsOwnRecordWithoutDisplay) {
  TrialListRecord trial;
  trial.update([&](ChoreList& list) {
    list = makeList(u"_Wiz+Trial", {makeStep(u"typed", DELAY, u"1")});
    prepareListRun(list, time);
  });
  choreListThreadProc(context, trial);
  EXPECT_TRUE(log.find("Chore list: _Wiz+Trial completed."));
  EXPECT_TRUE(display.calls().empty());
  trial.update([](ChoreList& list) { EXPECT_FALSE(list.inProgress); });
}

// On a real worker thread, stopped from the test's thread while it waits
// for a hot key; run under ThreadSanitizer as well.
TEST_F(RunnerTest, StopFromAnotherThreadEndsAHotKeyWaitAtOnce) {
  time.setAutoAdvance(false);
  auto list = makeList(u"Threaded", {makeStep(u"poll", WND_CREATED, u"W", 0), makeStep(u"key", WAIT_HOTKEY, u"", 0)});
  const auto id = add(list);
  launch(id);
  // Registered before the thread starts, so no time passes without it.
  auto participation = std::make_unique<FakeTime::Participation>(time);
  std::thread worker([&, participation = std::move(participation)]() mutable {
    LibraryListRecord record(library, id);
    choreListThreadProc(context, record);
    participation.reset();
  });
  time.advance(2000);
  {
    std::scoped_lock lock(services.mutex);
    services.windows.insert(u"W");
  }
  time.advance(500);
  EXPECT_EQ(listById(id).currentStep, 1);
  stop(id);
  worker.join();
  EXPECT_EQ(loggedAt("Chore #1: key, CompType: 6 terminated."), 2500u);
  EXPECT_FALSE(listById(id).inProgress);
}

}  // namespace
}  // namespace tolvane::test
