#pragma once
// What the main program's two logs write to: the activity window, the two
// log files and the named mutex that serialises the activity rows. The
// shell gives the Win32 ones; tests record.

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

// The activity window's rows. Calls arrive in the order the rows were
// decided, from any thread.
class ActivityView {
 public:
  virtual ~ActivityView() = default;
  virtual void addRow(std::u16string_view time, std::u16string_view text, bool isError) = 0;
  virtual void clearRows() = 0;
};

// Appends one text to one log file (appendToLogFile).
class LogFile {
 public:
  virtual ~LogFile() = default;
  virtual void append(std::u16string_view text) = 0;
};

// A mutex taken with a time limit.
class LogLock {
 public:
  virtual ~LogLock() = default;
  // True when owned; otherwise `waitResult` holds the wait's result code.
  virtual bool acquire(std::uint32_t timeoutMs, std::uint32_t& waitResult) = 0;
  virtual void release() = 0;
};

}  // namespace tolvane
