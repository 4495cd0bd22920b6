#include "protocol/request_command_line.h"

#include "base/format.h"
#include "base/text.h"

namespace tolvane {

namespace {

// `words` begin with a request's verb word (given without its switch
// character): the verb with exactly one valid name, or Usage.
ParsedRequestLine requestOf(std::u16string_view word, std::span<const std::u16string> words) {
  ParsedRequestLine parsed;
  if (equalsIgnoreAsciiCase(word, u"run")) {
    parsed.request.verb = RequestVerb::Run;
  } else if (equalsIgnoreAsciiCase(word, u"stop")) {
    parsed.request.verb = RequestVerb::Stop;
  } else {
    return parsed;
  }
  // Two words after the verb are a name whose quotes were forgotten.
  if (words.size() != 2 || !isRequestName(words[1])) {
    parsed.kind = RequestLine::Usage;
    return parsed;
  }
  parsed.kind = RequestLine::Request;
  parsed.request.name = words[1];
  return parsed;
}

}  // namespace

ParsedRequestLine parseProgramArguments(std::span<const std::u16string> words) {
  if (words.empty() || words[0].size() < 2 || (words[0][0] != u'/' && words[0][0] != u'-')) return {};
  const std::u16string_view word = std::u16string_view(words[0]).substr(1);
  if (equalsIgnoreAsciiCase(word, u"ifnotrunning")) return {RequestLine::StartUnlessRunning, {}};
  return requestOf(word, words);
}

ParsedRequestLine parseToolArguments(std::span<const std::u16string> words) {
  if (words.empty()) return {};
  return requestOf(words[0], words);
}

std::u16string requestOutcomeText(RequestOutcome outcome, const Request& request, std::u16string_view usage) {
  const bool run = request.verb == RequestVerb::Run;
  switch (outcome) {
    case RequestOutcome::Done:
      return {};
    case RequestOutcome::UnknownName:
      return formatText(
          run ? u"Tolvane: no chore or chore list is named \"%s\"." : u"Tolvane: no chore list is named \"%s\".",
          request.name);
    case RequestOutcome::NotRunning:
      return formatText(u"Tolvane: the chore list \"%s\" is not running.", request.name);
    case RequestOutcome::NoAnswer:
      return formatText(run ? u"Tolvane did not answer in time; \"%s\" was not run."
                            : u"Tolvane did not answer in time; \"%s\" was not stopped.",
                        request.name);
    case RequestOutcome::Busy:
      return formatText(u"Tolvane is busy and did not take \"%s\": an editor, the wizard or the hot-key view is "
                        u"open, the chore list is running already, or Tolvane is closing. Try again later.",
                        request.name);
    case RequestOutcome::Usage:
      return std::u16string(usage);
    case RequestOutcome::NotStarted:
      return u"Tolvane is not running in this session, and it could not be started here (it starts only on the "
             u"logged-on user's own desktop) or it ended before it was ready.";
  }
  return {};
}

}  // namespace tolvane
