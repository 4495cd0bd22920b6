#pragma once
// The real clock, from the C and C++ standard libraries (the same code on
// Windows and Linux).

#include "platform/clock.h"

namespace tolvane {

class SystemClock final : public Clock {
 public:
  std::int64_t now() const override;
  LocalTime toLocal(std::int64_t calendarTime) const override;
  std::int64_t fromLocal(const LocalTime& local) const override;
  LocalTime localNow() const override;
  std::uint64_t tickMs() const override;
};

}  // namespace tolvane
