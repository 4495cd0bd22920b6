#pragma once
// A chore library, fake services and fake time for running chore lists on
// the test's own thread (or on a worker, in manual time).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "base/format.h"
#include "base/text.h"
#include "engine/hotkeys/chore_list_launcher.h"
#include "engine/runner/chore_list_runner.h"
#include "support/fake_time.h"
#include "support/recording_log_sink.h"
#include "support/recording_run_display.h"

namespace tolvane::test {

class FakeRunnerServices final : public RunnerServices {
 public:
  FakeRunnerServices(ChoreLibrary& library, LogSink& log) : library_(library), log_(log) {}

  bool executeChore(const Chore& chore) override {
    std::scoped_lock lock(mutex);
    executed.push_back(toUtf8(chore.name));
    return failing.count(chore.name) == 0;
  }
  bool windowExists(std::u16string_view title, bool, bool activate) override {
    std::scoped_lock lock(mutex);
    activations.push_back(activate);
    return windows.count(std::u16string(title)) != 0;
  }
  bool fileExists(std::u16string_view path) override {
    std::scoped_lock lock(mutex);
    return files.count(std::u16string(path)) != 0;
  }
  std::u16string clipboardText() override {
    std::scoped_lock lock(mutex);
    ++clipboardReads;
    return clipboard;
  }
  void clearClipboard() override {
    std::scoped_lock lock(mutex);
    ++clipboardClears;
    clipboard.clear();
  }
  bool askYesNo(std::u16string_view question, std::u16string_view caption) override {
    std::scoped_lock lock(mutex);
    questions.push_back(toUtf8(question) + "|" + toUtf8(caption));
    return answerYes;
  }
  void beep() override {
    std::scoped_lock lock(mutex);
    ++beeps;
  }
  // Behaves as the real launch does towards a list already running.
  void launchChoreList(std::u16string_view name) override {
    bool running = false;
    library_.read([&](const LibraryContents& contents) {
      for (const auto& list : contents.lists) running |= list.name == name && list.inProgress;
    });
    if (running) {
      log_.activity(formatText(u"Chorelist: %s is in progress.", name), true);
      return;
    }
    std::scoped_lock lock(mutex);
    launched.push_back(toUtf8(name));
  }
  std::u16string hotKeyText(HotKeyCode key) override { return formatText(u"Ctrl + %c", key.virtualKey); }

  std::mutex mutex;
  std::set<std::u16string> failing;
  std::set<std::u16string> windows;
  std::set<std::u16string> files;
  std::u16string clipboard;
  bool answerYes = true;
  std::vector<std::string> executed;
  std::vector<bool> activations;
  std::vector<std::string> questions;
  std::vector<std::string> launched;
  int clipboardReads = 0;
  int clipboardClears = 0;
  int beeps = 0;

 private:
  ChoreLibrary& library_;
  LogSink& log_;
};

inline Chore makeStep(std::u16string name, std::int32_t compType, std::u16string compData = {},
                      std::int32_t timeout = 0) {
  Chore step;
  step.name = std::move(name);
  step.type = CHORE_NOTHING;
  step.compType = compType;
  step.compData = std::move(compData);
  step.timeout = timeout;
  return step;
}

inline ChoreList makeList(std::u16string name, std::vector<Chore> steps) {
  ChoreList list;
  list.name = std::move(name);
  list.steps = std::move(steps);
  return list;
}

class RunnerTest : public ::testing::Test {
 protected:
  ChoreListId add(const ChoreList& list) { return library.appendChoreList(list); }

  // What launching does before the thread starts.
  void launch(ChoreListId id) {
    library.withChoreList(id, [&](ChoreList& list) { prepareListRun(list, time); });
  }

  void run(ChoreListId id) {
    launch(id);
    LibraryListRecord record(library, id);
    choreListThreadProc(context, record);
  }

  // What stopping does: the flag for the polls, the event for a hot-key wait.
  void stop(ChoreListId id) {
    std::shared_ptr<Event> term;
    library.withChoreList(id, [&](ChoreList& list) {
      if (!list.inProgress) return;
      list.abortRequested = true;
      term = list.termEvent;
    });
    if (term) term->set();
  }

  ChoreList listById(ChoreListId id) { return *library.copyChoreListById(id); }

  // Elapsed fake milliseconds at the first activity line containing `part`.
  std::uint64_t loggedAt(std::string_view part) {
    const auto line = log.find(part);
    EXPECT_TRUE(line) << "no line with: " << part;
    return line ? line->atMs : 0;
  }

  FakeTime time{LocalTime{2026, 12, 7, 10, 0, 0, 1}};
  RecordingLogSink log{&time};
  ChoreLibrary library;
  FakeRunnerServices services{library, log};
  RecordingRunDisplay display;
  RunnerContext context{library, services, time, log, &display};
};

}  // namespace tolvane::test
