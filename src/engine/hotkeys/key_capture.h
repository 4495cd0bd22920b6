#pragma once
// Keys recorded for the chore wizard while it listens (capture mode).

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tolvane {

struct CapturedKey {
  std::uint16_t virtualKey = 0;
  std::uint16_t modifiers = 0;  // 1 Shift, 2 Ctrl, 4 Alt
  std::u16string windowTitle;   // of the window in front when pressed

  bool operator==(const CapturedKey&) const = default;
};

inline constexpr std::u16string_view kWizardTitle = u"Chore Wizard";

class KeyCapture {
 public:
  // Empties the record and starts listening.
  void start();
  void stop() { active_.store(false); }
  bool active() const { return active_.load(); }

  // Keys pressed in the wizard itself are not part of what it records.
  void record(CapturedKey key);
  std::vector<CapturedKey> keys() const;

 private:
  std::atomic<bool> active_{false};
  mutable std::mutex mutex_;
  std::vector<CapturedKey> keys_;
};

}  // namespace tolvane
