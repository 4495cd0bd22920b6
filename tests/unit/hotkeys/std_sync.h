#pragma once
// Real waiting with the standard library, for tests that hand work between
// real threads (and run under TSan).

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sync.h"

namespace tolvane::test {

class StdEvent : public Event {
 public:
  bool set() override {
    {
      std::scoped_lock lock(mutex_);
      signaled_ = true;
      ++sets;
    }
    changed_.notify_all();
    return true;
  }
  bool reset() override {
    std::scoped_lock lock(mutex_);
    signaled_ = false;
    return true;
  }
  bool waitFor(std::uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    const auto ready = [&] { return signaled_; };
    if (timeoutMs == kWaitForever)
      changed_.wait(lock, ready);
    else if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
      return false;
    signaled_ = false;  // auto-reset
    return true;
  }
  int setCount() {
    std::scoped_lock lock(mutex_);
    return sets;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool signaled_ = false;
  int sets = 0;
};

class StdSync : public Sync {
 public:
  std::shared_ptr<Event> createEvent(std::u16string_view name, bool, bool) override {
    names.emplace_back(name);
    return std::make_shared<StdEvent>();
  }
  WaitResult wait(Event& event, std::uint32_t timeoutMs) override {
    return static_cast<StdEvent&>(event).waitFor(timeoutMs) ? WaitResult::Signaled : WaitResult::TimedOut;
  }
  WaitAnyResult waitAny(std::span<Event* const>, std::uint32_t) override { return {}; }
  void sleep(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  std::vector<std::u16string> names;
};

}  // namespace tolvane::test
