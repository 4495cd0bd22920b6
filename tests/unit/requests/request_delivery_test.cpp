#include "engine/requests/request_delivery.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/fake_time.h"

namespace tolvane::test {
namespace {

enum class Pipe { None, Answering, Silent };

// The world the requester meets, from `fromMs` on: the started Tolvane
// taking its mutex and opening its pipe, a Tolvane ending, ...
struct Phase {
  std::uint64_t fromMs;
  Pipe pipe;
  bool mutex;
};

struct FakeChannel final : RequestChannel {
  FakeChannel(FakeTime& time, std::vector<Phase> phases) : time(time), phases(std::move(phases)) {}

  const Phase& now() const {
    const Phase* current = &phases.front();
    for (const Phase& phase : phases)
      if (phase.fromMs <= time.elapsedMs()) current = &phase;
    return *current;
  }
  Reply send(const Request&) override {
    if (now().pipe == Pipe::Silent) return {Reach::NoAnswer};
    if (now().pipe == Pipe::Answering) return {Reach::Answered, answer};
    return {Reach::NoServer};
  }
  bool instanceExists() override { return now().mutex; }
  bool interactiveSession() override { return interactive; }
  bool startTolvane() override {
    ++starts;
    return startWorks;
  }
  bool startedEnded() override { return startedEndsAtMs && time.elapsedMs() >= *startedEndsAtMs; }

  FakeTime& time;
  std::vector<Phase> phases;
  RequestOutcome answer = RequestOutcome::Done;
  bool interactive = true;
  bool startWorks = true;
  std::optional<std::uint64_t> startedEndsAtMs;
  int starts = 0;
};

TEST(RequestDelivery, TolvaneIsStartedOnlyWhenNoneRunsHereAndOnlyToRunSomething) {
  const struct {
    const char* what;
    RequestVerb verb;
    std::vector<Phase> phases;
    bool interactive;
    bool startWorks;
    std::optional<std::uint64_t> startedEndsAtMs;
    RequestOutcome outcome;
    int starts;
  } cases[] = {
      {"a running Tolvane's answer is the outcome", RequestVerb::Run, {{0, Pipe::Answering, true}}, true, true, {},
       RequestOutcome::UnknownName, 0},
      {"a pipe that does not answer gets no Tolvane beside it", RequestVerb::Run, {{0, Pipe::Silent, false}}, true,
       true, {}, RequestOutcome::NoAnswer, 0},
      {"nothing is started outside the interactive session", RequestVerb::Run, {{0, Pipe::None, false}}, false, true,
       {}, RequestOutcome::NotStarted, 0},
      {"nothing is started to stop a list", RequestVerb::Stop, {{0, Pipe::None, false}}, true, true, {},
       RequestOutcome::NotRunning, 0},
      {"a cold start waits for the started Tolvane's pipe", RequestVerb::Run,
       {{0, Pipe::None, false}, {500, Pipe::None, true}, {2500, Pipe::Answering, true}}, true, true, {},
       RequestOutcome::Done, 1},
      {"a Tolvane starting up is waited for, not started again", RequestVerb::Stop,
       {{0, Pipe::None, true}, {1500, Pipe::Answering, true}}, false, true, {}, RequestOutcome::Done, 0},
      {"once an ending Tolvane is gone, another is started", RequestVerb::Run,
       {{0, Pipe::None, true}, {1000, Pipe::None, false}, {1300, Pipe::None, true}, {3000, Pipe::Answering, true}},
       true, true, {}, RequestOutcome::Done, 1},
      {"the started one lost the race and the winner takes the request", RequestVerb::Run,
       {{0, Pipe::None, false}, {200, Pipe::None, true}, {2000, Pipe::Answering, true}}, true, true, 300,
       RequestOutcome::Done, 1},
      {"the started one ended and none took its place", RequestVerb::Run, {{0, Pipe::None, false}}, true, true, 300,
       RequestOutcome::NotStarted, 1},
      {"Tolvane.exe could not be started", RequestVerb::Run, {{0, Pipe::None, false}}, true, false, {},
       RequestOutcome::NotStarted, 1},
      {"a start that never gets ready", RequestVerb::Run, {{0, Pipe::None, false}, {500, Pipe::None, true}}, true,
       true, {}, RequestOutcome::NoAnswer, 1},
  };
  for (const auto& c : cases) {
    FakeTime time{LocalTime{2026, 5, 4, 12}};
    FakeChannel channel(time, c.phases);
    channel.interactive = c.interactive;
    channel.startWorks = c.startWorks;
    channel.startedEndsAtMs = c.startedEndsAtMs;
    channel.answer = c.outcome;
    EXPECT_EQ(deliverRequest({c.verb, u"Nap"}, channel, time, time), c.outcome) << c.what;
    EXPECT_EQ(channel.starts, c.starts) << c.what;
    EXPECT_LE(time.elapsedMs(), kRequestReadyWaitMs + kRequestPollMs) << c.what;
  }
  FakeTime time{LocalTime{2026, 5, 4, 12}};
  FakeChannel nowhere(time, {{0, Pipe::None, false}});
  EXPECT_EQ(deliverRequestLine({RequestLine::Usage, {}}, nowhere, time, time), RequestOutcome::Usage);
  EXPECT_EQ(nowhere.starts, 0) << "a command line written wrong starts nothing";
}

}  // namespace
}  // namespace tolvane::test
