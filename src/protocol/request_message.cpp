#include "protocol/request_message.h"

#include "base/format.h"

namespace tolvane {

namespace {

constexpr std::u16string_view kRunWord = u"run";
constexpr std::u16string_view kStopWord = u"stop";

std::u16string_view verbWord(RequestVerb verb) { return verb == RequestVerb::Run ? kRunWord : kStopWord; }

}  // namespace

bool isRequestName(std::u16string_view name) {
  return !name.empty() && name.size() <= kRequestNameMax && name.find(u'\0') == std::u16string_view::npos;
}

std::string encodeRequest(const Request& request) {
  std::u16string text(verbWord(request.verb));
  text += u' ';
  text += request.name;
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::optional<Request> decodeRequest(std::string_view bytes) {
  if (bytes.size() > kRequestBytesMax || bytes.size() % 2 != 0) return std::nullopt;
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  const std::size_t space = text.find(u' ');
  if (space == std::u16string::npos) return std::nullopt;
  const std::u16string_view word = std::u16string_view(text).substr(0, space);
  Request request;
  if (word == kRunWord) {
    request.verb = RequestVerb::Run;
  } else if (word == kStopWord) {
    request.verb = RequestVerb::Stop;
  } else {
    return std::nullopt;
  }
  request.name = text.substr(space + 1);
  if (!isRequestName(request.name)) return std::nullopt;
  return request;
}

std::string encodeOutcome(RequestOutcome outcome) { return std::string(1, static_cast<char>(outcome)); }

std::optional<RequestOutcome> decodeOutcome(std::string_view bytes) {
  if (bytes.size() != 1) return std::nullopt;
  const auto code = static_cast<unsigned char>(bytes[0]);
  if (code > static_cast<unsigned char>(RequestOutcome::NotStarted)) return std::nullopt;
  return static_cast<RequestOutcome>(code);
}

std::u16string requestPipeName(std::uint32_t sessionId) {
  return formatText(u"\\\\.\\pipe\\_tolvRequestPipe_%u", sessionId);
}

}  // namespace tolvane
