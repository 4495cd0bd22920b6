#include "engine/requests/request_desk.h"

namespace tolvane {

RequestOutcome decideRequest(const Request& request, const RequestDeskServices& s) {
  if (s.busy()) return RequestOutcome::Busy;
  const bool isList = s.library.findChoreList(request.name) >= 0;
  if (request.verb == RequestVerb::Stop) {
    if (!isList) return RequestOutcome::UnknownName;
    return s.stopList(request.name) ? RequestOutcome::Done : RequestOutcome::NotRunning;
  }
  if (isList) return s.launchList(request.name) ? RequestOutcome::Done : RequestOutcome::Busy;
  const Chore chore = s.library.copyChore(request.name);
  if (!chore.isFound()) return RequestOutcome::UnknownName;
  return s.queueChore(chore) ? RequestOutcome::Done : RequestOutcome::Busy;
}

}  // namespace tolvane
