#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/win32/requests/request_pipe_server.h"
#include "platform/win32/requests/win32_request_channel.h"
#include "support/recording_log_sink.h"

namespace tolvane::win32 {
namespace {

// What a client that writes the bytes as one message gets back.
std::string exchange(const std::string& bytes) {
  const std::wstring name = thisSessionRequestPipe();
  // The pipe is busy until the server has let the last client go.
  WaitNamedPipeW(name.c_str(), 2000);
  const FileHandle pipe(
      CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!pipe) return "no pipe";
  DWORD mode = PIPE_READMODE_MESSAGE;
  SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);
  DWORD done = 0;
  if (!WriteFile(pipe.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr)) return "not written";
  char answer[8] = {};
  if (!ReadFile(pipe.get(), answer, sizeof(answer), &done, nullptr)) return "no answer";
  return std::string(answer, done);
}

TEST(RequestPipe, OnlyWellFormedRequestsReachTolvaneAndTheRequesterReadsItsAnswer) {
  test::RecordingLogSink log;
  std::mutex mutex;
  std::vector<Request> seen;
  RequestPipeServer server(
      [&](const Request& request) {
        std::scoped_lock lock(mutex);
        seen.push_back(request);
        return RequestOutcome::NotRunning;
      },
      log);
  ASSERT_TRUE(server.start());

  Win32RequestChannel channel;
  const Request request{RequestVerb::Stop, u"Z\u00fcrich \u65e5\u672c"};
  const RequestChannel::Reply reply = channel.send(request);
  EXPECT_EQ(reply.reach, RequestChannel::Reach::Answered);
  EXPECT_EQ(reply.outcome, RequestOutcome::NotRunning);

  const std::string good = encodeRequest(request);
  for (const std::string& bad : {std::string(kRequestBytesMax + 2, 'a'), good.substr(1), std::string(1, 'r')})
    EXPECT_EQ(exchange(bad), encodeOutcome(RequestOutcome::Usage)) << bad.size();
  {
    std::scoped_lock lock(mutex);
    EXPECT_EQ(seen, std::vector<Request>{request});
  }

  // Whoever made the pipe first keeps it.
  RequestPipeServer second([](const Request&) { return RequestOutcome::Done; }, log);
  EXPECT_FALSE(second.start());
  EXPECT_EQ(log.count("Requests from the command line are off: the pipe could not be created"), 1);

  server.stop();
  EXPECT_EQ(channel.send(request).reach, RequestChannel::Reach::NoServer);
}

TEST(RequestPipe, TheRequesterLooksAtTheSingleInstanceMutexWithoutKeepingIt) {
  Win32RequestChannel channel;
  EXPECT_TRUE(channel.interactiveSession());
  EXPECT_FALSE(channel.instanceExists());
  HANDLE instance = CreateMutexW(nullptr, FALSE, L"__Tolvane_");
  ASSERT_NE(instance, nullptr);
  EXPECT_TRUE(channel.instanceExists());
  CloseHandle(instance);
  EXPECT_FALSE(channel.instanceExists()) << "the requester holds the mutex";
}

}  // namespace
}  // namespace tolvane::win32
