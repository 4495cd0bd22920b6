#pragma once
// The hand-over of a request from the request pipe's thread to the
// user-interface thread, which alone may decide it (the tree, the editors
// and the exit live there).
//
//   pipe thread:  outcome = handOff.handOff(request, [&] { PostMessage(window, kServe...); }, 4000);
//   UI thread:    on kServe...: handOff.serve([&](const Request& r) { return decideRequest(r, desk); });
//
// A request the user-interface thread has not taken in time is withdrawn
// and answered NoAnswer, so it can never run after its requester was told
// that nothing was done. One request at a time: the pipe serves one client
// after the other.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/sync.h"
#include "protocol/request_message.h"

namespace tolvane {

class RequestHandOff {
 public:
  explicit RequestHandOff(Sync& sync) : sync_(sync), answered_(sync.createEvent(u"", false, false)) {}

  // The pipe thread's side: `notify` tells the user-interface thread.
  // Busy once closed.
  RequestOutcome handOff(const Request& request, const std::function<void()>& notify, std::uint32_t waitMs);

  // The user-interface thread's side: decides the waiting request, if any.
  void serve(const std::function<RequestOutcome(const Request&)>& decide);

  // The window goes: a waiting request is answered Busy at once, later
  // ones too.
  void close();

 private:
  enum class State { Idle, Waiting, Taken, Answered };

  Sync& sync_;
  std::shared_ptr<Event> answered_;
  std::mutex mutex_;
  State state_ = State::Idle;
  bool closed_ = false;
  Request request_;
  RequestOutcome outcome_ = RequestOutcome::NoAnswer;
};

}  // namespace tolvane
