#pragma once
// debugLog of the main program: time-stamped "tolv>" lines in the shared
// debug log file, written only while doDebugLog is on. The first call of a
// run adds the header and the version line; a call with an error code also
// reaches the activity window as a red row, whatever doDebugLog says.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/logs/activity_log.h"
#include "engine/logs/log_outputs.h"
#include "engine/logs/log_switches.h"
#include "engine/logs/log_time.h"

namespace tolvane {

struct VersionTexts {
  std::function<std::u16string()> program;
  std::function<std::u16string()> companion;
};

class DebugLog {
 public:
  DebugLog(LogFile& file, LogTime& time, const LogSwitches& switches, VersionTexts versions)
      : file_(file), time_(time), switches_(switches), versions_(std::move(versions)) {}

  // Error rows go to this activity log from now on (the main window exists).
  void attachActivityLog(ActivityLog* activity) { activity_ = activity; }

  void debugLog(std::uint32_t code, std::u16string_view text);

 private:
  LogFile& file_;
  LogTime& time_;
  const LogSwitches& switches_;
  VersionTexts versions_;
  std::atomic<ActivityLog*> activity_{nullptr};
  std::atomic<bool> firstLine_{true};
};

}  // namespace tolvane
