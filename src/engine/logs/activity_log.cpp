#include "engine/logs/activity_log.h"

#include "engine/logs/activity_log_format.h"
#include "protocol/kernel_objects.h"

namespace tolvane {

void ActivityLog::writeToActivityLog(std::u16string_view text, bool isError) {
  std::uint32_t waitResult = 0;
  if (!lock_.acquire(protocol::kLogMutexWaitMs, waitResult)) {
    file_.append(activityMutexErrorLine(time_.last(), waitResult));
    return;
  }
  LocalTime now = time_.refresh();
  view_.addRow(activityTimeStamp(now), text, isError);
  if (activityCount_.load() > static_cast<std::uint32_t>(switches_.maxActivityLogs.load())) {
    if (switches_.doActivityLog) file_.append(activityLine(now, kMaxActivityNotice));
    activityCount_ = 0;
    view_.clearRows();
    now = time_.refresh();
    view_.addRow(activityTimeStamp(now), kMaxActivityNotice, false);
  }
  const std::uint32_t count = ++activityCount_;
  lock_.release();

  if (!switches_.doActivityLog) return;
  if (count == 1) file_.append(activityHeaderLine(now));
  file_.append(activityLine(now, text));
}

void ActivityLog::clearByUser() {
  view_.clearRows();
  activityCount_ = 0;
}

}  // namespace tolvane
