#pragma once
// What a requester (Tolvane.exe /run, tolvanectl run) needs of the system
// to reach the Tolvane of its own Windows session, or to start one.

#include "protocol/request_message.h"

namespace tolvane {

class RequestChannel {
 public:
  enum class Reach {
    Answered,  // `outcome` is the running Tolvane's answer
    NoServer,  // no request pipe in this session
    NoAnswer,  // a pipe, but no valid answer within the time allowed (or not the user's own)
  };
  struct Reply {
    Reach reach = Reach::NoServer;
    RequestOutcome outcome = RequestOutcome::NoAnswer;
  };

  virtual ~RequestChannel() = default;

  // Connects, sends and reads the answer, all within a few seconds.
  virtual Reply send(const Request& request) = 0;
  // Whether a Tolvane holds its single-instance mutex in this session:
  // one that is starting, running or ending. Only looked at, never held.
  virtual bool instanceExists() = 0;
  // A logged-on user's own desktop, where Tolvane belongs (a task that runs
  // whether the user is logged on or not has none).
  virtual bool interactiveSession() = 0;
  // Starts "Tolvane.exe /ifnotrunning" from the requester's folder as a
  // process of its own; false when it could not be started.
  virtual bool startTolvane() = 0;
  // Whether the process startTolvane started has ended.
  virtual bool startedEnded() = 0;
};

}  // namespace tolvane
