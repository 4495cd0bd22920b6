#include "protocol/debug_log_format.h"

#include "base/format.h"

namespace tolvane::protocol {
namespace {

std::u16string clockText(const LogTime& t) {
  return formatText(u"%02.2d:%02.2d:%02.2d:%03.3d", t.hour, t.minute, t.second, t.millisecond);
}

std::u16string markedLine(const LogTime& time, std::u16string_view marker, std::u16string_view text,
                          std::uint32_t value) {
  std::u16string line = u"\r\n" + clockText(time) + u" " + std::u16string(marker) + std::u16string(text);
  if (value != 0) line += formatText(u"%08.8x", value);
  return line;
}

}  // namespace

std::u16string bhoHeaderLine(const LogTime& t) {
  return formatText(u"\r\n\r\nBho>Beginning log on..... %02.2d/%02.2d/%02.2d", t.month, t.day, t.year);
}

std::u16string bhoLine(const LogTime& time, std::u16string_view text, std::uint32_t value) {
  return markedLine(time, u"Bho>", text, value);
}

std::u16string docCompleteLine(const LogTime& time, std::u16string_view address) {
  return u"\r\n" + clockText(time) + u" DocComplete for: " + std::u16string(address);
}

std::u16string tolvHeaderLine(const LogTime& t) {
  return formatText(u"\r\n\r\ntolv>Beginning log on..... %02.2d/%02.2d/%02.2d", t.month, t.day, t.year);
}

std::u16string tolvVersionLine(std::u16string_view programVersion, std::u16string_view companionVersion) {
  return formatText(u"\r\ntolv>%s v%s, %s v%s", u"Tolvane", programVersion, u"TolvaneBho.dll", companionVersion);
}

std::u16string tolvLine(const LogTime& time, std::u16string_view text, std::uint32_t code) {
  return markedLine(time, u"tolv>", text, code);
}

std::u16string versionText(std::uint32_t ms, std::uint32_t ls) {
  return formatText(u"%d.%d Build %d", ms >> 16, ms & 0xFFFFu, ls);
}

std::u16string fullVersionText(std::uint32_t ms, std::uint32_t ls) {
  return formatText(u"%d.%d.%d.%d", ms >> 16, ms & 0xFFFFu, ls >> 16, ls & 0xFFFFu);
}

}  // namespace tolvane::protocol
