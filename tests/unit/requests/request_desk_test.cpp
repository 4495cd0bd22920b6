#include "engine/requests/request_desk.h"

#include <gtest/gtest.h>

#include "engine/hotkeys/chore_command_slot.h"
#include "engine/hotkeys/chore_list_launcher.h"
#include "support/fake_time.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane::test {
namespace {

struct DeskRig {
  FakeTime time{LocalTime{2026, 5, 4, 12}};
  RecordingLogSink log;
  ChoreLibrary library;
  ChoreCommandSlot slot{nullptr, nullptr};
  ChoreListLauncher launcher{library, time, log};
  bool busy = false;
  RequestDeskServices services{library, [this] { return busy; },
                               [this](const Chore& chore) { return slot.queueChore(chore); },
                               [this](std::u16string_view name) { return launcher.launchChoreList(name); },
                               [this](std::u16string_view name) { return launcher.stopChoreList(name); }};

  DeskRig() {
    for (const char16_t* name : {u"Nap", u"Stretch"}) library.appendChore(makeChore(name));
    for (const char16_t* name : {u"Morning", u"Evening"})
      library.appendChoreList(makeList(name, {makeStep(makeChore(u"Nap"))}));
    // A started list stays in progress: its thread never runs here.
    launcher.setListThreads([](std::function<void()>) { return 0; }, [](ChoreListId) {});
  }
};

TEST(RequestDesk, RequestsRunAndStopAsTheWindowsCommandsDoUnlessTolvaneIsBusy) {
  DeskRig rig;
  const struct {
    bool busy;
    RequestVerb verb;
    std::u16string name;
    RequestOutcome outcome;
  } steps[] = {
      {false, RequestVerb::Run, u"Nap", RequestOutcome::Done},
      {false, RequestVerb::Run, u"Stretch", RequestOutcome::Done},
      {false, RequestVerb::Run, u"nap", RequestOutcome::UnknownName},
      {false, RequestVerb::Run, u"Morning", RequestOutcome::Done},
      {false, RequestVerb::Run, u"Morning", RequestOutcome::Busy},
      {false, RequestVerb::Stop, u"Nap", RequestOutcome::UnknownName},
      {false, RequestVerb::Stop, u"Evening", RequestOutcome::NotRunning},
      {true, RequestVerb::Run, u"Nap", RequestOutcome::Busy},
      {true, RequestVerb::Stop, u"Morning", RequestOutcome::Busy},
      {false, RequestVerb::Stop, u"Morning", RequestOutcome::Done},
  };
  for (const auto& step : steps) {
    rig.busy = step.busy;
    EXPECT_EQ(decideRequest({step.verb, step.name}, rig.services), step.outcome)
        << std::string(step.name.begin(), step.name.end());
  }
  // Both chores wait their turn, in order; the refused ones never came.
  EXPECT_EQ(rig.slot.take().chore->name, u"Nap");
  EXPECT_EQ(rig.slot.take().chore->name, u"Stretch");
  EXPECT_TRUE(rig.slot.take().command.empty());
  EXPECT_EQ(rig.log.count("Chorelist: Morning is in progress."), 1);
  EXPECT_TRUE(rig.library.copyChoreList(u"Morning").abortRequested);
  EXPECT_FALSE(rig.library.copyChoreList(u"Evening").inProgress);
}

}  // namespace
}  // namespace tolvane::test
