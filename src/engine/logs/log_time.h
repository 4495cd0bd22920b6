#pragma once
// The main program's process-wide time record: both log writers refresh it
// just before they format a line, and the activity log's mutex-error line
// prints it as last refreshed.

#include <mutex>

#include "platform/clock.h"

namespace tolvane {

class LogTime {
 public:
  explicit LogTime(const Clock& clock) : clock_(clock) {}

  LocalTime refresh() {
    std::scoped_lock lock(mutex_);
    last_ = clock_.localNow();
    return last_;
  }
  LocalTime last() const {
    std::scoped_lock lock(mutex_);
    return last_;
  }

 private:
  const Clock& clock_;
  mutable std::mutex mutex_;
  LocalTime last_;
};

}  // namespace tolvane
