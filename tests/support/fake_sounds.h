#pragma once
// Sounds in a test: counted, never heard.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/sounds.h"

namespace tolvane::test {

class FakeSounds : public Sounds {
 public:
  std::atomic<int> beeps{0};

  void beep() override { ++beeps; }
  void playResource(std::uint16_t resourceId) override {
    std::scoped_lock lock(mutex_);
    played_.push_back(resourceId);
  }
  std::vector<std::uint16_t> played() const {
    std::scoped_lock lock(mutex_);
    return played_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::uint16_t> played_;
};

}  // namespace tolvane::test
