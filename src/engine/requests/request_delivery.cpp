#include "engine/requests/request_delivery.h"

namespace tolvane {

RequestOutcome deliverRequest(const Request& request, RequestChannel& channel, const Clock& clock, Sync& sync) {
  const std::uint64_t deadline = clock.tickMs() + kRequestReadyWaitMs;
  bool started = false;
  for (;;) {
    const RequestChannel::Reply reply = channel.send(request);
    if (reply.reach == RequestChannel::Reach::Answered) return reply.outcome;
    if (reply.reach == RequestChannel::Reach::NoAnswer) return RequestOutcome::NoAnswer;
    if (!channel.instanceExists()) {
      if (request.verb == RequestVerb::Stop) return RequestOutcome::NotRunning;
      // The one started here ended without another taking its place: it
      // could not run (or its user closed it at a start-up question).
      if (started && channel.startedEnded()) return RequestOutcome::NotStarted;
      if (!started) {
        if (!channel.interactiveSession() || !channel.startTolvane()) return RequestOutcome::NotStarted;
        started = true;
      }
    }
    if (clock.tickMs() >= deadline) return RequestOutcome::NoAnswer;
    sync.sleep(kRequestPollMs);
  }
}

RequestOutcome deliverRequestLine(const ParsedRequestLine& line, RequestChannel& channel, const Clock& clock,
                                  Sync& sync) {
  if (line.kind != RequestLine::Request) return RequestOutcome::Usage;
  return deliverRequest(line.request, channel, clock, sync);
}

}  // namespace tolvane
