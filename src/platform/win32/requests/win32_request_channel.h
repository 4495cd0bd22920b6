#pragma once
// A requester's way to the Tolvane of its session (RequestChannel): the
// session's request pipe, the single-instance mutex looked at and let go
// at once, and Tolvane.exe started from the requester's own folder.
//
//   Win32RequestChannel channel;
//   const RequestOutcome outcome = deliverRequest(request, channel, clock, sync);

#include <windows.h>

#include "platform/request_channel.h"
#include "platform/win32/common/owned_handle.h"
#include "platform/win32/requests/request_pipe_security.h"

namespace tolvane::win32 {

class Win32RequestChannel final : public RequestChannel {
 public:
  // Connecting (when the pipe serves another requester), sending and
  // reading the answer together take at most this long.
  static constexpr DWORD kAnswerWaitMs = 5000;

  Reply send(const Request& request) override;
  bool instanceExists() override;
  bool interactiveSession() override { return isInteractiveSession(); }
  bool startTolvane() override;
  bool startedEnded() override;

 private:
  // Overlapped I/O on the pipe, finished by `deadline`; false when it
  // failed or did not finish in time (it is cancelled then).
  bool transfer(HANDLE pipe, bool write, void* buffer, DWORD size, DWORD& bytes, ULONGLONG deadline);

  KernelHandle started_;
};

}  // namespace tolvane::win32
