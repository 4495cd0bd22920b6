#pragma once
// The command lines that send a request to the running Tolvane, Tolvane.exe's
// and tolvanectl's, and the one line a requester reports for each outcome.
//
//   Tolvane.exe /run "NAME"     Tolvane.exe /stop "NAME"     (also -run, any case)
//   tolvanectl run "NAME"       tolvanectl stop "NAME"
//   Tolvane.exe /ifnotrunning   starts Tolvane unless it runs already, without
//                               the "already running" box (what a requester starts)

#include <span>
#include <string>
#include <string_view>

#include "protocol/request_message.h"

namespace tolvane {

enum class RequestLine {
  None,                // not a request: Tolvane starts as it always did
  Request,             // `request` is to be sent
  Usage,               // a request command with a missing, extra or bad name
  StartUnlessRunning,  // /ifnotrunning
};

struct ParsedRequestLine {
  RequestLine kind = RequestLine::None;
  Request request;
};

// The words after Tolvane.exe's path.
ParsedRequestLine parseProgramArguments(std::span<const std::u16string> words);
// The words after tolvanectl's path; None for its other commands.
ParsedRequestLine parseToolArguments(std::span<const std::u16string> words);

inline constexpr std::u16string_view kProgramRequestUsage =
    u"Usage: Tolvane.exe /run \"NAME\" or Tolvane.exe /stop \"NAME\" (the exact name of a chore or chore list, "
    u"at most 260 characters).";
inline constexpr std::u16string_view kToolRequestUsage =
    u"usage: tolvanectl run NAME | tolvanectl stop NAME (the exact name, at most 260 characters)";

// What the requester tells its user; empty when all went well.
std::u16string requestOutcomeText(RequestOutcome outcome, const Request& request, std::u16string_view usage);

}  // namespace tolvane
