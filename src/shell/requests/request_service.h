#pragma once
// Tolvane's side of requests from the command line (Tolvane.exe /run and
// /stop, tolvanectl run and stop): the request pipe of its session, served
// on a thread of its own, and each request decided on the window's thread
// as the Run and Stop commands would do it (engine/requests/request_desk.h).
//
//   requests_ = std::make_unique<RequestService>(*core_, hwnd(), [this] { return exiting_; });
//   requests_->start();                                   // the last step of start-up
//   case RequestService::kServeMessage: requests_->serve();
//   requests_.reset();                                    // the window goes

#include <windows.h>

#include <functional>

#include "engine/requests/request_hand_off.h"
#include "platform/win32/requests/request_pipe_server.h"
#include "shell/core/tolvane_core.h"

namespace tolvane::win32 {

class RequestService {
 public:
  // Posted to the window when a request waits for it.
  static constexpr UINT kServeMessage = WM_APP + 70;
  // How long a request waits for the window before it is withdrawn: less
  // than the requester's own wait, so that it learns the truth.
  static constexpr std::uint32_t kWindowWaitMs = 4000;

  // `exiting`: the window's exit has begun; requests are refused from then on.
  RequestService(TolvaneCore& core, HWND window, std::function<bool()> exiting);
  // Refuses a waiting request, then ends the pipe's thread.
  ~RequestService();
  RequestService(const RequestService&) = delete;
  RequestService& operator=(const RequestService&) = delete;

  bool start() { return server_.start(); }
  void serve();

 private:
  bool busy();

  TolvaneCore& core_;
  HWND window_;
  std::function<bool()> exiting_;
  RequestHandOff handOff_;
  RequestPipeServer server_;
};

}  // namespace tolvane::win32
