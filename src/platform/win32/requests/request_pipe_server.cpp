#include "platform/win32/requests/request_pipe_server.h"

#include <optional>
#include <string>

#include "base/format.h"
#include "platform/win32/sync/worker_threads.h"

namespace tolvane::win32 {

namespace {

// A client has this long to send its request, and then to take the answer.
constexpr DWORD kClientMs = 2000;
// Room for one byte more than the longest request, to see a longer one.
constexpr DWORD kReadBytes = kRequestBytesMax + 2;

}  // namespace

RequestPipeServer::~RequestPipeServer() { stop(); }

bool RequestPipeServer::start() {
  UserOnlySecurity security;
  const std::wstring name = thisSessionRequestPipe();
  FileHandle pipe;
  DWORD error = GetLastError();
  if (security.attributes()) {
    pipe.reset(CreateNamedPipeW(name.c_str(),
                                PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
                                PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                kReadBytes, kReadBytes, 0, security.attributes()));
    error = GetLastError();
  }
  if (!pipe) {
    log_.activity(formatText(u"Requests from the command line are off: the pipe could not be created; errCode=%08.8x",
                             static_cast<std::uint32_t>(error)),
                  true);
    return false;
  }
  pipe_ = std::move(pipe);
  stopEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ioEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  int threadError = 0;
  if (stopEvent_ && ioEvent_) thread_ = startWorkerThread([this] { serve(); }, threadError);
  if (!thread_) {
    log_.activity(formatText(u"Requests from the command line are off: no thread; err=%d", threadError), true);
    pipe_.reset();
    return false;
  }
  return true;
}

void RequestPipeServer::stop() {
  if (thread_) {
    SetEvent(stopEvent_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
  }
  pipe_.reset();
}

void RequestPipeServer::serve() {
  while (WaitForSingleObject(stopEvent_.get(), 0) != WAIT_OBJECT_0) {
    DWORD bytes = 0;
    DWORD error = 0;
    beginIo();
    const BOOL connected = ConnectNamedPipe(pipe_.get(), &io_);
    if (connected || GetLastError() == ERROR_PIPE_CONNECTED || finish(connected, INFINITE, bytes, error)) {
      serveClient();
    } else if (WaitForSingleObject(stopEvent_.get(), 0) != WAIT_OBJECT_0) {
      // A connection that failed outright (not a stop) must not spin.
      WaitForSingleObject(stopEvent_.get(), 100);
    }
    DisconnectNamedPipe(pipe_.get());
  }
}

void RequestPipeServer::serveClient() {
  std::string message(kReadBytes, '\0');
  DWORD bytes = 0;
  DWORD error = 0;
  beginIo();
  BOOL started = ReadFile(pipe_.get(), message.data(), kReadBytes, nullptr, &io_);
  const bool read = finish(started, kClientMs, bytes, error);
  if (!read && error != ERROR_MORE_DATA) return;
  message.resize(bytes);
  const std::optional<Request> request = read ? decodeRequest(message) : std::nullopt;
  const std::string answer = encodeOutcome(request ? handler_(*request) : RequestOutcome::Usage);
  beginIo();
  started = WriteFile(pipe_.get(), answer.data(), static_cast<DWORD>(answer.size()), nullptr, &io_);
  if (!finish(started, kClientMs, bytes, error)) return;
  // Disconnecting throws away an answer not yet read: wait until the
  // client has read it and closed its end.
  char rest[16];
  beginIo();
  started = ReadFile(pipe_.get(), rest, sizeof(rest), nullptr, &io_);
  finish(started, kClientMs, bytes, error);
}

void RequestPipeServer::beginIo() {
  io_ = OVERLAPPED{};
  io_.hEvent = ioEvent_.get();
  ResetEvent(io_.hEvent);
}

bool RequestPipeServer::finish(BOOL started, DWORD timeoutMs, DWORD& bytes, DWORD& error) {
  error = started ? ERROR_SUCCESS : GetLastError();
  if (!started && error != ERROR_IO_PENDING) return false;
  const HANDLE waits[] = {io_.hEvent, stopEvent_.get()};
  if (WaitForMultipleObjects(2, waits, FALSE, timeoutMs) != WAIT_OBJECT_0) {
    CancelIoEx(pipe_.get(), &io_);
    GetOverlappedResult(pipe_.get(), &io_, &bytes, TRUE);
    error = ERROR_OPERATION_ABORTED;
    return false;
  }
  if (GetOverlappedResult(pipe_.get(), &io_, &bytes, FALSE)) return true;
  error = GetLastError();
  return false;
}

}  // namespace tolvane::win32
