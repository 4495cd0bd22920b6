#pragma once
// Wall-clock and calendar time. Calendar times are seconds since
// 1 January 1970 UTC, made from local time fields with the mktime rule
// (daylight saving decided by the system), as the chore files keep them.

#include <cstdint>

namespace tolvane {

struct LocalTime {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int dayOfWeek = 4;  // 0 = Sunday
  int millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  virtual std::int64_t now() const = 0;
  virtual LocalTime toLocal(std::int64_t calendarTime) const = 0;
  // The calendar time of local fields (mktime with daylight saving left to
  // the system); out-of-range fields are normalised as mktime does.
  virtual std::int64_t fromLocal(const LocalTime& local) const = 0;
  // The local time now, with milliseconds, for log time stamps.
  virtual LocalTime localNow() const = 0;
  // Monotonic milliseconds, for measuring waits.
  virtual std::uint64_t tickMs() const = 0;
};

}  // namespace tolvane
