#pragma once
// writeToActivityLog: one row in the activity window and, when the
// activity log is switched on, one line in "TolvaneActivity.log". The
// window holds at most maxActivityLogs + 1 rows; the row after that clears
// it and leaves a notice. Callable from any thread.

#include <atomic>
#include <cstdint>
#include <string_view>

#include "engine/logs/log_outputs.h"
#include "engine/logs/log_switches.h"
#include "engine/logs/log_time.h"

namespace tolvane {

class ActivityLog {
 public:
  ActivityLog(ActivityView& view, LogFile& file, LogLock& lock, LogTime& time, const LogSwitches& switches)
      : view_(view), file_(file), lock_(lock), time_(time), switches_(switches) {}

  void writeToActivityLog(std::u16string_view text, bool isError);

  // "Clear activity window": the rows go and counting starts again, so the
  // next line opens a new header in the file. Runs on the window's thread
  // without the mutex.
  void clearByUser();

  std::uint32_t activityCount() const { return activityCount_.load(); }

 private:
  ActivityView& view_;
  LogFile& file_;
  LogLock& lock_;
  LogTime& time_;
  const LogSwitches& switches_;
  std::atomic<std::uint32_t> activityCount_{0};
};

}  // namespace tolvane
