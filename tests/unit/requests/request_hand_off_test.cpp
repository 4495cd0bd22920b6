#include "engine/requests/request_hand_off.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/fake_time.h"
#include "unit/hotkeys/std_sync.h"

namespace tolvane::test {
namespace {

TEST(RequestHandOff, TheWindowDecidesAWaitingRequestAndOneNotTakenInTimeIsWithdrawn) {
  FakeTime time{LocalTime{2026, 5, 4, 12}};
  RequestHandOff handOff(time);
  Request seen;
  const auto decide = [&](const Request& request) {
    seen = request;
    return RequestOutcome::UnknownName;
  };
  EXPECT_EQ(handOff.handOff({RequestVerb::Stop, u"Nap"}, [&] { handOff.serve(decide); }, 4000),
            RequestOutcome::UnknownName);
  EXPECT_EQ(seen, (Request{RequestVerb::Stop, u"Nap"}));

  EXPECT_EQ(handOff.handOff({RequestVerb::Run, u"Late"}, [] {}, 4000), RequestOutcome::NoAnswer);
  EXPECT_EQ(time.elapsedMs(), 4000u);
  handOff.serve(decide);
  EXPECT_EQ(seen.name, u"Nap") << "a withdrawn request is never decided";

  handOff.close();
  bool told = false;
  EXPECT_EQ(handOff.handOff({RequestVerb::Run, u"Nap"}, [&] { told = true; }, 4000), RequestOutcome::Busy);
  EXPECT_FALSE(told);
}

// Whatever the timing, a request is carried out exactly when its
// requester is told so.
TEST(RequestHandOff, ARequestIsCarriedOutExactlyWhenItsRequesterIsToldSo) {
  StdSync sync;
  RequestHandOff handOff(sync);
  const std::shared_ptr<Event> posted = sync.createEvent(u"", false, false);
  std::atomic<bool> done{false};
  int decided = 0;
  std::thread window([&] {
    while (!done.load()) {
      if (sync.wait(*posted, 1) != WaitResult::Signaled) continue;
      if (decided % 3 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      handOff.serve([&](const Request&) {
        ++decided;
        return RequestOutcome::Done;
      });
    }
  });
  int told = 0;
  for (int i = 0; i < 300; ++i) {
    const RequestOutcome outcome = handOff.handOff({RequestVerb::Run, u"Nap"}, [&] { posted->set(); }, 1);
    ASSERT_TRUE(outcome == RequestOutcome::Done || outcome == RequestOutcome::NoAnswer);
    if (outcome == RequestOutcome::Done) ++told;
  }
  done = true;
  window.join();
  EXPECT_EQ(decided, told);
}

}  // namespace
}  // namespace tolvane::test
