#pragma once
// Where the engine and library write their activity and debug lines. The
// main program's implementation writes the activity window and file and
// the debug log file (serialised by their named mutexes); tests record.

#include <string_view>

namespace tolvane {

class LogSink {
 public:
  virtual ~LogSink() = default;

  // One activity line; `isError` marks it red in the window and sounds
  // nothing by itself (callers beep where the chore failed).
  virtual void activity(std::u16string_view text, bool isError) = 0;

  // One debug line; written only while debug logging is switched on.
  virtual void debug(std::u16string_view text) = 0;
};

// For callers whose lines nobody reads.
class SilentLogSink final : public LogSink {
 public:
  void activity(std::u16string_view, bool) override {}
  void debug(std::u16string_view) override {}
};

}  // namespace tolvane
