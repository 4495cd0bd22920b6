#include "engine/runner/completion_wait.h"

#include "runner_fixture.h"

namespace tolvane::test {
namespace {

using ::testing::ElementsAre;

TEST_F(RunnerTest, PollingWaitCompletesAtOnceOrTimesOutAfterTwoPollsPerSecond) {
  services.windows.insert(u"Notepad");
  const auto id = add(makeList(u"Poll", {makeStep(u"open", WND_CREATED, u"Notepad", 5),
                                         makeStep(u"file", FILE_CREATED, u"C:\\never.txt", 3)}));
  run(id);

  EXPECT_EQ(loggedAt("Chore #0: open, CompType: 1 completed."), 0u);
  // 3 s budget: tested at 0, 0.5 ... 3.0 s, then given up.
  const auto timedOut = log.find("Chore list: Poll, count:0, Chore #1: file, CompType: 3 timed out.");
  ASSERT_TRUE(timedOut);
  EXPECT_TRUE(timedOut->isError);
  EXPECT_EQ(timedOut->atMs, 3000u);
  EXPECT_TRUE(log.find("Chore list: Poll, waiting for FILE_CREATED:C:\\never.txt"));
  // The last step timed out, so the run counts as terminated.
  EXPECT_TRUE(log.find("Chore list: Poll terminated.")->isError);
  EXPECT_EQ(services.beeps, 1);
}

TEST_F(RunnerTest, ZeroTimeoutWaitsUntilTheListIsStopped) {
  const auto id = add(makeList(u"Forever", {makeStep(u"open", WND_CREATED, u"Never", 0)}));
  time.at(3'600'200, [&] { stop(id); });
  run(id);
  // Stopped an hour in; noticed at the next poll.
  EXPECT_EQ(loggedAt("Chore #0: open, CompType: 1 terminated."), 3'600'500u);
  EXPECT_TRUE(log.find("Chore list: Forever terminated."));
  EXPECT_EQ(services.beeps, 1);
}

TEST_F(RunnerTest, DestroyedWindowAndDeletedFileFirstWaitToAppearOnOneBudget) {
  const auto id = add(makeList(u"Two", {makeStep(u"w", WND_DESTROYED, u"Box", 10),
                                        makeStep(u"f", FILE_DELETED, u"C:\\lock", 3)}));
  time.at(2000, [&] { services.windows.insert(u"Box"); });
  time.at(5000, [&] { services.windows.erase(u"Box"); });
  // The file appears 2 s into its wait and never goes: 1 s of budget is
  // left for the second phase.
  time.at(7000, [&] { services.files.insert(u"C:\\lock"); });
  run(id);

  EXPECT_EQ(loggedAt("Chore #0: w, CompType: 2 completed."), 5000u);
  EXPECT_EQ(loggedAt("Chore #1: f, CompType: 4 timed out."), 8000u);
  // Bringing the window forward only while waiting for it to appear.
  ASSERT_GE(services.activations.size(), 2u);
  EXPECT_TRUE(services.activations.front());
  EXPECT_FALSE(services.activations.back());
}

TEST_F(RunnerTest, ClipboardIsClearedBeforeAndAfterTheMatchAndTestedAfterEachSleep) {
  services.clipboard = u"old text with the magic word";
  const auto id = add(makeList(u"Clip", {makeStep(u"copy", WAIT_CLIPBOARD, u"magic", 5)}));
  time.at(1200, [&] { services.clipboard = u"now magic arrives"; });
  run(id);

  EXPECT_EQ(loggedAt("Chore #0: copy, CompType: 8 completed."), 1500u);
  EXPECT_EQ(services.clipboardClears, 2);
  EXPECT_TRUE(services.clipboard.empty());
  EXPECT_EQ(services.clipboardReads, 3);  // at 0.5, 1.0 and 1.5 s
}

TEST_F(RunnerTest, HotKeyWaitCompletesOnTheKeyTimesOutOrStopsAtOnce) {
  auto list = makeList(u"Keys", {makeStep(u"a", WAIT_HOTKEY, u"", 10), makeStep(u"b", WAIT_HOTKEY, u"", 10)});
  list.steps[0].hotKeyChore = {'K', kHotKeyControl};
  list.schedule.runRepeatCount = 1;
  list.steps[1].continueOnTimeout = true;
  const auto id = add(list);
  // Pass 1: the key of step a at 3 s, step b times out at 13 s. Pass 2:
  // stopped at 14 s while step a waits.
  time.at(3000, [&] { time.createEvent(u"_hkChComp_Keys_0", false, false)->set(); });
  time.at(14'000, [&] { stop(id); });
  run(id);

  EXPECT_TRUE(log.find("Chore list: Keys, waiting for WAIT_HOTKEY:Ctrl + K"));
  EXPECT_EQ(loggedAt("count:1, Chore #0: a, CompType: 6 completed."), 3000u);
  EXPECT_EQ(loggedAt("count:1, Chore #1: b, CompType: 6 timed out."), 13'000u);
  EXPECT_EQ(loggedAt("count:0, Chore #0: a, CompType: 6 terminated."), 14'000u);
  EXPECT_THAT(log.debugTexts(), ::testing::Contains("WAIT_HOTKEY WaitForMultipleObjects() return value: 00000102, index:258"));
}

TEST_F(RunnerTest, AHotKeyWaitThatCannotBeMadeStopsTheListAndGivesTheSystemErrorCode) {
  auto list = makeList(u"Broken", {makeStep(u"a", WAIT_HOTKEY, u"", 10), makeStep(u"b", DELAY, u"1")});
  const auto id = add(list);
  time.failWaitAny(6);
  run(id);
  EXPECT_THAT(log.debugTexts(), ::testing::Contains("WAIT_HOTKEY WaitForMultipleObjects() failed. Error code:00000006"));
  EXPECT_TRUE(log.find("Chore list: Broken terminated."));
  EXPECT_FALSE(log.find("waiting for DELAY"));
}

TEST_F(RunnerTest, HotKeyStepOfAListLaunchedWithoutEventsDoesNotWait) {
  auto list = makeList(u"NoEvent", {makeStep(u"a", WAIT_HOTKEY, u"", 0)});
  const auto id = add(list);
  library.withChoreList(id, [&](ChoreList& l) {
    prepareListRun(l, time);
    l.runSteps[0].completionEvent.reset();
  });
  LibraryListRecord record(library, id);
  choreListThreadProc(context, record);
  EXPECT_EQ(loggedAt("Chore #0: a, CompType: 6 completed."), 0u);
}

TEST_F(RunnerTest, DelayTicksBySecondsAndStopsAtTheNextTick) {
  const auto id = add(makeList(u"Wait", {makeStep(u"d", DELAY, u" 4 seconds"), makeStep(u"e", DELAY, u"100")}));
  time.at(6300, [&] { stop(id); });
  run(id);
  EXPECT_EQ(loggedAt("Chore #0: d, CompType: 7 completed."), 4000u);
  EXPECT_TRUE(log.find("Chore list: Wait, waiting for DELAY:100 seconds"));
  EXPECT_EQ(loggedAt("Chore #1: e, CompType: 7 terminated."), 7000u);

  EXPECT_EQ(delaySeconds(u"12abc"), 12u);
  EXPECT_EQ(delaySeconds(u"-3"), 0u);
  EXPECT_EQ(delaySeconds(u"soon"), 0u);
  EXPECT_EQ(delaySeconds(u"99999999999"), 0x7FFFFFFFu);
}

TEST_F(RunnerTest, AnsweringNoToAPromptTerminatesTheListWithABeep) {
  const auto id = add(makeList(u"Ask", {makeStep(u"q", USER_PROMPT, u"Go on?"), makeStep(u"after", COMP_NONE)}));
  services.answerYes = false;
  run(id);
  EXPECT_THAT(services.questions, ElementsAre("Go on?|Tolvane: Go on?"));
  EXPECT_TRUE(log.find("Chore list: Ask, count:0, Chore #0: q, CompType: 5 terminated.")->isError);
  EXPECT_TRUE(log.find("Chore list: Ask terminated.")->isError);
  EXPECT_THAT(services.executed, ElementsAre("q"));
  EXPECT_EQ(services.beeps, 1);
}

}  // namespace
}  // namespace tolvane::test
