#pragma once
// The running Tolvane's end of the request pipe: one pipe per Windows
// session, for the current user only, local clients only, created first
// (a pipe of that name made by anyone else first makes start() fail rather
// than share it), and served on a thread of its own, one client after the
// other. Each well-formed request goes to the handler; a malformed one is
// answered Usage; a client that sends nothing is dropped after a moment.
//
//   RequestPipeServer server([&](const Request& r) { return handOff.handOff(r, post, 4000); }, log);
//   server.start();   ...   server.stop();

#include <windows.h>

#include <functional>

#include "platform/log_sink.h"
#include "platform/win32/common/owned_handle.h"
#include "platform/win32/requests/request_pipe_security.h"
#include "protocol/request_message.h"

namespace tolvane::win32 {

class RequestPipeServer {
 public:
  using Handler = std::function<RequestOutcome(const Request&)>;

  RequestPipeServer(Handler handler, LogSink& log) : handler_(std::move(handler)), log_(log) {}
  // stop()
  ~RequestPipeServer();
  RequestPipeServer(const RequestPipeServer&) = delete;
  RequestPipeServer& operator=(const RequestPipeServer&) = delete;

  // Creates the pipe and starts serving; false, with an activity line, when
  // the pipe or its thread could not be made.
  bool start();
  // Ends the thread (a handler under way is waited for) and removes the pipe.
  void stop();

 private:
  void serve();
  void serveClient();
  // A fresh OVERLAPPED on the I/O event, for the next operation.
  void beginIo();
  // Waits for overlapped I/O on the pipe up to `timeoutMs` (or until
  // stop); false, with the I/O cancelled, on failure, time-out or stop.
  // `error` is ERROR_MORE_DATA for a message longer than the buffer.
  bool finish(BOOL started, DWORD timeoutMs, DWORD& bytes, DWORD& error);

  Handler handler_;
  LogSink& log_;
  FileHandle pipe_;
  KernelHandle stopEvent_;
  KernelHandle ioEvent_;
  OVERLAPPED io_{};
  KernelHandle thread_;
};

}  // namespace tolvane::win32
