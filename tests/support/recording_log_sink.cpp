#include "support/recording_log_sink.h"

#include "base/text.h"

namespace tolvane::test {

void RecordingLogSink::activity(std::u16string_view text, bool isError) {
  std::scoped_lock lock(mutex_);
  const std::uint64_t at = clock_ ? clock_->tickMs() : 0;
  activity_.push_back({toUtf8(text), isError, at});
}

void RecordingLogSink::debug(std::u16string_view text) {
  std::scoped_lock lock(mutex_);
  debug_.push_back(toUtf8(text));
}

std::vector<LoggedLine> RecordingLogSink::activityLines() const {
  std::scoped_lock lock(mutex_);
  return activity_;
}

std::vector<std::string> RecordingLogSink::activityTexts() const {
  std::scoped_lock lock(mutex_);
  std::vector<std::string> texts;
  for (const auto& line : activity_) texts.push_back(line.text);
  return texts;
}

std::vector<std::string> RecordingLogSink::debugTexts() const {
  std::scoped_lock lock(mutex_);
  return debug_;
}

std::optional<LoggedLine> RecordingLogSink::find(std::string_view part) const {
  std::scoped_lock lock(mutex_);
  for (const auto& line : activity_) {
    if (line.text.find(part) != std::string::npos) return line;
  }
  return std::nullopt;
}

int RecordingLogSink::count(std::string_view part) const {
  std::scoped_lock lock(mutex_);
  int n = 0;
  for (const auto& line : activity_) n += line.text.find(part) != std::string::npos;
  return n;
}

}  // namespace tolvane::test
