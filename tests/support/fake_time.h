#pragma once
// A deterministic clock and synchroniser for tests of code that waits.
//
// Local time is UTC, so results do not depend on the host's time zone.
// Time moves only when the test lets it:
// - auto-advance (the default): a wait that would block moves fake time
//   straight to its own deadline or to the next scheduled action, so code
//   under test runs on the test's own thread and a one-hour wait costs
//   nothing;
// - manual: worker threads that called participate() block in their waits
//   until the test calls advance(), which moves time from deadline to
//   deadline and only once every participant is blocked again, so what a
//   worker sees at each fake instant is the same on every run.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/clock.h"
#include "platform/sync.h"

namespace tolvane::test {

class FakeEvent;

class FakeTime final : public Clock, public Sync {
 public:
  // Starts at the given local (= UTC) time, millisecond 0.
  explicit FakeTime(const LocalTime& start);

  // Clock
  std::int64_t now() const override;
  LocalTime toLocal(std::int64_t calendarTime) const override;
  std::int64_t fromLocal(const LocalTime& local) const override;
  LocalTime localNow() const override;
  std::uint64_t tickMs() const override;

  // Sync
  std::shared_ptr<Event> createEvent(std::u16string_view name, bool manualReset, bool initiallySet) override;
  WaitResult wait(Event& event, std::uint32_t timeoutMs) override;
  WaitAnyResult waitAny(std::span<Event* const> events, std::uint32_t timeoutMs) override;
  void sleep(std::uint32_t ms) override;

  void setAutoAdvance(bool on);

  // Every later waitAny fails at once with the system error `code`.
  void failWaitAny(std::uint32_t code);

  // Runs `action` (on whichever thread moves time) once fake time reaches
  // `msFromStart` milliseconds after the start.
  void at(std::uint64_t msFromStart, std::function<void()> action);

  // Sets the wall clock forward or back (the user changed the time, or the
  // machine slept) without moving any wait's deadline.
  void shiftWallClock(std::int64_t seconds);

  // Milliseconds of fake time since the start.
  std::uint64_t elapsedMs() const;

  // Manual mode. A worker thread holds a participation while it runs; make
  // it before the thread starts so that no time passes without it.
  class Participation {
   public:
    explicit Participation(FakeTime& time);
    ~Participation();
    Participation(const Participation&) = delete;
    Participation& operator=(const Participation&) = delete;

   private:
    FakeTime& time_;
  };

  // Blocks until every participant is blocked in a fake wait (or none is
  // left), then moves time forward by `ms`, stopping at each deadline on the
  // way. Returns with every participant blocked again or gone.
  void advance(std::uint64_t ms);
  // Blocks until every participant is blocked in a fake wait or gone.
  void settle();

  // Whether any event of that name has been created and is still alive.
  bool eventExists(std::u16string_view name) const;

 private:
  friend class FakeEvent;
  struct Waiter {
    std::uint64_t deadline;
    std::function<bool()> ready;
    bool released = false;
  };

  WaitResult waitUntil(std::unique_lock<std::mutex>& lock, std::uint64_t deadline, const std::function<bool()>& ready);
  void moveToLocked(std::unique_lock<std::mutex>& lock, std::uint64_t target);
  void releaseReadyLocked();
  bool allBlockedLocked() const;
  std::uint64_t deadlineOf(std::uint32_t timeoutMs) const;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t nowMs_ = 0;
  std::int64_t startSeconds_ = 0;
  bool autoAdvance_ = true;
  std::optional<std::uint32_t> waitAnyError_;
  int participants_ = 0;
  std::vector<Waiter*> waiters_;
  std::multimap<std::uint64_t, std::function<void()>> actions_;
  std::unordered_map<std::u16string, std::weak_ptr<FakeEvent>> namedEvents_;
};

class FakeEvent final : public Event {
 public:
  FakeEvent(FakeTime& time, bool manualReset, bool initiallySet)
      : time_(time), manualReset_(manualReset), signaled_(initiallySet) {}
  bool set() override;
  bool reset() override;

 private:
  friend class FakeTime;
  FakeTime& time_;
  const bool manualReset_;
  bool signaled_;  // guarded by the owner's mutex
};

}  // namespace tolvane::test
