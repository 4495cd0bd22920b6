#pragma once
// What Tolvane.exe /run, /stop and tolvanectl run, stop send the running
// Tolvane of their session through its request pipe, and what it answers.
//
// A request is UTF-16LE: the verb ("run" or "stop"), one space, and the
// exact name of a chore or chore list: 1 to 260 code units, no NUL. The
// answer is one byte, the outcome, which is also the requester's exit
// code. Anything else is refused, so a stray or hostile client can neither
// overrun the reader nor smuggle a second name in.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

enum class RequestVerb { Run, Stop };

struct Request {
  RequestVerb verb = RequestVerb::Run;
  std::u16string name;
  bool operator==(const Request&) const = default;
};

inline constexpr std::size_t kRequestNameMax = 260;
// "stop", the space and the longest name.
inline constexpr std::size_t kRequestBytesMax = (4 + 1 + kRequestNameMax) * sizeof(char16_t);

// The requesters' exit codes; 0 to 4 are also the running Tolvane's answers.
enum class RequestOutcome : std::uint8_t {
  Done = 0,         // run: started, or queued for the chore thread; stop: the list is stopping
  UnknownName = 1,  // no chore or list of that exact name (for stop: no list)
  NotRunning = 2,   // stop: the list is not running
  NoAnswer = 3,     // Tolvane did not answer in time; nothing was done
  Busy = 4,         // an editor, the wizard or the hot-key view is open, the list runs already, or Tolvane is ending
  Usage = 5,        // the command line (or the message) is not a request
  NotStarted = 6,   // no Tolvane runs in this session, and none could be started here
};

bool isRequestName(std::u16string_view name);

std::string encodeRequest(const Request& request);
std::optional<Request> decodeRequest(std::string_view bytes);

std::string encodeOutcome(RequestOutcome outcome);
std::optional<RequestOutcome> decodeOutcome(std::string_view bytes);

// The pipe of the Tolvane that runs in that Windows session.
std::u16string requestPipeName(std::uint32_t sessionId);

}  // namespace tolvane
