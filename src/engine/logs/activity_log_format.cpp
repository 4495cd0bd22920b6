#include "engine/logs/activity_log_format.h"

#include "base/format.h"

namespace tolvane {

std::u16string activityTimeStamp(const LocalTime& t) {
  return formatText(u"%02.2d:%02.2d:%02.2d", t.hour, t.minute, t.second);
}

std::u16string activityLine(const LocalTime& t, std::u16string_view text) {
  return formatText(u"\r\n%s %s", activityTimeStamp(t), text);
}

std::u16string activityHeaderLine(const LocalTime& t) {
  return formatText(u"\r\n========>new log started: %02.2d/%02.2d/%04.4d", t.month, t.day, t.year);
}

std::u16string activityMutexErrorLine(const LocalTime& t, std::uint32_t waitResult) {
  return activityLine(t, formatText(u"writeToActivityLog Mutex Error:%08.8x", waitResult));
}

}  // namespace tolvane
