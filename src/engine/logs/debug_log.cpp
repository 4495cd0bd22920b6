#include "engine/logs/debug_log.h"

#include "base/format.h"
#include "protocol/debug_log_format.h"

namespace tolvane {

namespace {

protocol::LogTime toProtocol(const LocalTime& t) {
  return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
}

}  // namespace

void DebugLog::debugLog(std::uint32_t code, std::u16string_view text) {
  const protocol::LogTime now = toProtocol(time_.refresh());
  // Debug logging is mostly off: no line is formatted for nothing then.
  const bool writing = switches_.doDebugLog;
  // The flag goes even while debug logging is off, so a run that starts
  // with it off never writes the header.
  if (firstLine_.exchange(false) && writing) {
    file_.append(protocol::tolvHeaderLine(now));
    file_.append(protocol::tolvVersionLine(versions_.program ? versions_.program() : std::u16string(),
                                           versions_.companion ? versions_.companion() : std::u16string()));
  }
  if (code != 0) {
    if (ActivityLog* activity = activity_.load()) activity->writeToActivityLog(formatText(u"%s %08.8x", text, code), true);
  }
  if (writing) file_.append(protocol::tolvLine(now, text, code));
}

}  // namespace tolvane
