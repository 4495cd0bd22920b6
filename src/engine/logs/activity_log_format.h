#pragma once
// Lines of the activity log file "TolvaneActivity.log" and the time stamp
// of the activity window.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace tolvane {

inline constexpr char16_t kActivityLogFileName[] = u"TolvaneActivity.log";
inline constexpr char16_t kMaxActivityNotice[] = u"Maximum activity logs reached; activity window cleared.";

// "12:35:56"
std::u16string activityTimeStamp(const LocalTime& t);
std::u16string activityLine(const LocalTime& t, std::u16string_view text);
std::u16string activityHeaderLine(const LocalTime& t);
std::u16string activityMutexErrorLine(const LocalTime& t, std::uint32_t waitResult);

}  // namespace tolvane
