#include "engine/hotkeys/chore_thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>

#include "std_sync.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane::test {
namespace {

struct ChoreThreadRig {
  StdSync sync;
  std::shared_ptr<Event> choreEvent = sync.createEvent(u"_tolvChoreCmdEvnt_", false, false);
  std::shared_ptr<Event> schedulerEvent = sync.createEvent(u"_tolvSchedCmdEvnt_", false, false);
  ChoreCommandSlot slot{choreEvent, schedulerEvent};
  RecordingLogSink log;
  std::mutex mutex;
  std::vector<std::u16string> done;
  std::promise<void> firstStarted;
  std::promise<void> releaseFirst;
  std::shared_future<void> release = releaseFirst.get_future().share();
  std::future<int> exitCode;

  // Gives the chore thread up to a second to have done `count` chores.
  void waitForDone(std::size_t count) {
    for (int i = 0; i < 500; ++i) {
      {
        std::scoped_lock lock(mutex);
        if (done.size() == count) return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  void start() {
    exitCode = std::async(std::launch::async, [this] {
      bool first = true;
      return choreThreadProc(slot, sync, log, [&](const Chore& chore) {
        if (first) {
          first = false;
          firstStarted.set_value();
          release.wait();
        }
        std::scoped_lock lock(mutex);
        done.push_back(chore.name);
        return true;
      });
    });
  }
};

TEST(ChoreThread, TheNewestRequestReplacesOneNotYetTakenAndTheRunningChoreKeepsItsOwnCopy) {
  ChoreThreadRig rig;
  rig.start();
  rig.slot.runChore(makeChore(u"first"));
  rig.firstStarted.get_future().wait();
  // The chore thread is busy with "first": these two queue as one.
  rig.slot.runChore(makeChore(u"second"));
  rig.slot.runChore(makeChore(u"third"));
  rig.releaseFirst.set_value();

  rig.waitForDone(2);
  rig.slot.requestExit();
  EXPECT_EQ(rig.exitCode.get(), kWorkerExitCode);
  EXPECT_EQ(rig.done, (std::vector<std::u16string>{u"first", u"third"}));
  const std::vector<std::string> debugLines = rig.log.debugTexts();
  EXPECT_EQ(debugLines.front(), "...entering Tolvane choreThread...");
  EXPECT_EQ(debugLines.back(), "...exiting Tolvane choreThread...");
  // The scheduler was woken for "exit" too, and "exit" stays.
  EXPECT_EQ(static_cast<StdEvent&>(*rig.schedulerEvent).setCount(), 1);
  rig.slot.runChore(makeChore(u"late"));
  EXPECT_TRUE(rig.slot.exitRequested());
  EXPECT_EQ(rig.slot.take().command, u"exit");
}

TEST(ChoreThread, QueuedRequestsAreNeitherReplacedNorLostAndRunInTheirOrder) {
  ChoreThreadRig rig;
  rig.start();
  rig.slot.runChore(makeChore(u"first"));
  rig.firstStarted.get_future().wait();
  EXPECT_TRUE(rig.slot.queueChore(makeChore(u"queued 1")));
  rig.slot.runChore(makeChore(u"replaced"));
  EXPECT_TRUE(rig.slot.queueChore(makeChore(u"queued 2")));
  rig.slot.runChore(makeChore(u"newest"));
  rig.releaseFirst.set_value();
  rig.waitForDone(4);
  rig.slot.requestExit();
  EXPECT_EQ(rig.exitCode.get(), kWorkerExitCode);
  EXPECT_EQ(rig.done, (std::vector<std::u16string>{u"first", u"queued 1", u"queued 2", u"newest"}));

  // The queue is bounded, and closed once the program ends.
  ChoreCommandSlot slot{nullptr, nullptr};
  for (std::size_t i = 0; i < ChoreCommandSlot::kQueuedMax; ++i) EXPECT_TRUE(slot.queueChore(makeChore(u"q")));
  EXPECT_FALSE(slot.queueChore(makeChore(u"one too many")));
  slot.runChore(makeChore(u"a hot key still gets in"));
  slot.take();
  EXPECT_TRUE(slot.queueChore(makeChore(u"room again")));
  slot.requestExit();
  EXPECT_FALSE(slot.queueChore(makeChore(u"after exit")));
}

TEST(ChoreThread, ManyRequestersAtOnceNeverTearTheSlot) {
  ChoreThreadRig rig;
  rig.releaseFirst.set_value();
  rig.start();
  std::vector<std::thread> requesters;
  for (int t = 0; t < 4; ++t) {
    requesters.emplace_back([&rig, t] {
      for (int i = 0; i < 200; ++i) rig.slot.runChore(makeChore(u"chore" + std::u16string(1, u'a' + t)));
    });
  }
  for (auto& thread : requesters) thread.join();
  // The last request is served whatever the timing.
  for (int i = 0; i < 2500; ++i) {
    {
      std::scoped_lock lock(rig.mutex);
      if (!rig.done.empty()) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  rig.slot.requestExit();
  EXPECT_EQ(rig.exitCode.get(), kWorkerExitCode);
  std::scoped_lock lock(rig.mutex);
  EXPECT_FALSE(rig.done.empty());
  for (const auto& name : rig.done) EXPECT_EQ(name.substr(0, 5), u"chore");
}

TEST(ChoreThread, UnknownCommandsAreLoggedAndIgnored) {
  ChoreThreadRig rig;
  rig.releaseFirst.set_value();
  rig.start();
  rig.slot.postCommand(u"dance");
  const auto logged = [&rig] {
    const std::vector<std::string> lines = rig.log.debugTexts();
    return std::ranges::find(lines, "Unknown Tolvane command: dance") != lines.end();
  };
  for (int i = 0; i < 500 && !logged(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  rig.slot.requestExit();
  EXPECT_EQ(rig.exitCode.get(), kWorkerExitCode);
  EXPECT_TRUE(logged());
  EXPECT_TRUE(rig.done.empty());
}

}  // namespace
}  // namespace tolvane::test
