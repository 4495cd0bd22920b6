#pragma once
// The requester's side: delivers a request to the Tolvane of this session,
// starting Tolvane first when none runs there, and gives the outcome that
// becomes its exit code.
//
// - A pipe that exists but does not answer is a Tolvane that is stuck or
//   not the user's: nothing is started beside it (NoAnswer).
// - Without a pipe but with the single-instance mutex, a Tolvane is
//   starting (its start-up questions may be open) or ending: the request
//   waits for the pipe; once the mutex is gone, Tolvane is started.
// - Tolvane is started only in the interactive session, and never to stop
//   a list: none can run when Tolvane does not.
// - Two requesters that start Tolvane at once both forward: the started
//   process that loses the mutex ends quietly and its requester waits for
//   the winner's pipe.

#include <cstdint>

#include "platform/clock.h"
#include "platform/request_channel.h"
#include "platform/sync.h"
#include "protocol/request_command_line.h"

namespace tolvane {

// How long a started Tolvane may take to be ready, its questions included.
inline constexpr std::uint32_t kRequestReadyWaitMs = 60000;
inline constexpr std::uint32_t kRequestPollMs = 100;

RequestOutcome deliverRequest(const Request& request, RequestChannel& channel, const Clock& clock, Sync& sync);

// A command line's outcome: the request delivered, or Usage.
RequestOutcome deliverRequestLine(const ParsedRequestLine& line, RequestChannel& channel, const Clock& clock,
                                  Sync& sync);

}  // namespace tolvane
