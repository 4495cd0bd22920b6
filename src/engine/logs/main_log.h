#pragma once
// The main program's logs as the engine and library see them.

#include "engine/logs/activity_log.h"
#include "engine/logs/debug_log.h"
#include "platform/log_sink.h"

namespace tolvane {

class MainLog final : public LogSink {
 public:
  MainLog(ActivityLog& activity, DebugLog& debug) : activity_(activity), debug_(debug) {}

  void activity(std::u16string_view text, bool isError) override { activity_.writeToActivityLog(text, isError); }
  void debug(std::u16string_view text) override { debug_.debugLog(0, text); }

 private:
  ActivityLog& activity_;
  DebugLog& debug_;
};

}  // namespace tolvane
