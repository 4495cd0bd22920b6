#pragma once
// A LogSink that keeps every line, for tests that check what was logged.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/log_sink.h"

namespace tolvane::test {

struct LoggedLine {
  std::string text;  // UTF-8, for readable test failures
  bool isError = false;
  std::uint64_t atMs = 0;  // the clock's ticks when written; 0 without a clock
};

class RecordingLogSink final : public LogSink {
 public:
  explicit RecordingLogSink(const Clock* clock = nullptr) : clock_(clock) {}
  // Stamps later lines with this clock's ticks.
  void setClock(const Clock* clock) {
    std::scoped_lock lock(mutex_);
    clock_ = clock;
  }

  void activity(std::u16string_view text, bool isError) override;
  void debug(std::u16string_view text) override;

  std::vector<LoggedLine> activityLines() const;
  std::vector<std::string> activityTexts() const;
  std::vector<std::string> debugTexts() const;
  // The first activity line that contains `part`; null when none.
  std::optional<LoggedLine> find(std::string_view part) const;
  int count(std::string_view part) const;

 private:
  const Clock* clock_;
  mutable std::mutex mutex_;
  std::vector<LoggedLine> activity_;
  std::vector<std::string> debug_;
};

}  // namespace tolvane::test
