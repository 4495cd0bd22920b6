#include "engine/requests/request_hand_off.h"

namespace tolvane {

RequestOutcome RequestHandOff::handOff(const Request& request, const std::function<void()>& notify,
                                       std::uint32_t waitMs) {
  {
    std::scoped_lock lock(mutex_);
    if (closed_ || !answered_) return RequestOutcome::Busy;
    // A late answer to a withdrawn request may have left the event set.
    answered_->reset();
    request_ = request;
    state_ = State::Waiting;
  }
  notify();
  sync_.wait(*answered_, waitMs);
  for (;;) {
    {
      std::scoped_lock lock(mutex_);
      if (state_ == State::Answered || state_ == State::Waiting) {
        const RequestOutcome outcome = state_ == State::Answered ? outcome_ : RequestOutcome::NoAnswer;
        state_ = State::Idle;
        return outcome;
      }
    }
    // Taken: the decision is being made right now and takes no time worth
    // withdrawing from.
    sync_.wait(*answered_, kWaitForever);
  }
}

void RequestHandOff::serve(const std::function<RequestOutcome(const Request&)>& decide) {
  Request request;
  {
    std::scoped_lock lock(mutex_);
    if (state_ != State::Waiting) return;
    state_ = State::Taken;
    request = request_;
  }
  const RequestOutcome outcome = decide(request);
  {
    std::scoped_lock lock(mutex_);
    outcome_ = outcome;
    state_ = State::Answered;
  }
  answered_->set();
}

void RequestHandOff::close() {
  {
    std::scoped_lock lock(mutex_);
    closed_ = true;
    if (state_ != State::Waiting) return;
    outcome_ = RequestOutcome::Busy;
    state_ = State::Answered;
  }
  if (answered_) answered_->set();
}

}  // namespace tolvane
