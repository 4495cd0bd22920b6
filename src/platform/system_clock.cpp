#include "platform/system_clock.h"

#include <chrono>
#include <ctime>

namespace tolvane {
namespace {

std::tm localFields(std::time_t t) {
  std::tm fields{};
#ifdef _WIN32
  localtime_s(&fields, &t);
#else
  localtime_r(&t, &fields);
#endif
  return fields;
}

LocalTime fromTm(const std::tm& fields) {
  LocalTime local;
  local.year = fields.tm_year + 1900;
  local.month = fields.tm_mon + 1;
  local.day = fields.tm_mday;
  local.hour = fields.tm_hour;
  local.minute = fields.tm_min;
  local.second = fields.tm_sec;
  local.dayOfWeek = fields.tm_wday;
  return local;
}

}  // namespace

std::int64_t SystemClock::now() const { return static_cast<std::int64_t>(std::time(nullptr)); }

LocalTime SystemClock::toLocal(std::int64_t calendarTime) const {
  return fromTm(localFields(static_cast<std::time_t>(calendarTime)));
}

std::int64_t SystemClock::fromLocal(const LocalTime& local) const {
  std::tm fields{};
  fields.tm_year = local.year - 1900;
  fields.tm_mon = local.month - 1;
  fields.tm_mday = local.day;
  fields.tm_hour = local.hour;
  fields.tm_min = local.minute;
  fields.tm_sec = local.second;
  fields.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&fields));
}

LocalTime SystemClock::localNow() const {
  const auto nowPoint = std::chrono::system_clock::now();
  const auto sinceEpoch = nowPoint.time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
  LocalTime local = toLocal(seconds.count());
  local.millisecond = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch - seconds).count());
  return local;
}

std::uint64_t SystemClock::tickMs() const {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
}

}  // namespace tolvane
