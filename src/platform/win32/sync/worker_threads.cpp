#include "platform/win32/sync/worker_threads.h"

#include <process.h>

#include <cerrno>

#include "platform/sync.h"

namespace tolvane::win32 {

namespace {

unsigned __stdcall workerEntry(void* parameter) {
  auto* body = static_cast<std::function<void()>*>(parameter);
  (*body)();
  delete body;
  return kWorkerExitCode;
}

}  // namespace

HANDLE startWorkerThread(std::function<void()> body, int& error) {
  auto* parameter = new std::function<void()>(std::move(body));
  errno = 0;
  const std::uintptr_t thread = _beginthreadex(nullptr, 0, workerEntry, parameter, 0, nullptr);
  if (thread == 0) {
    error = errno ? errno : EAGAIN;
    delete parameter;
    return nullptr;
  }
  error = 0;
  return reinterpret_cast<HANDLE>(thread);
}

int startDetachedWorkerThread(std::function<void()> body) {
  int error = 0;
  HANDLE thread = startWorkerThread(std::move(body), error);
  // Worker threads are not joined: the program lets them end with it.
  if (thread) CloseHandle(thread);
  return error;
}

}  // namespace tolvane::win32
