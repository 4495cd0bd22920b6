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

bool hasEnded(HANDLE thread) { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }

}  // namespace

KernelHandle startWorkerThread(std::function<void()> body, int& error) {
  auto* parameter = new std::function<void()>(std::move(body));
  errno = 0;
  const std::uintptr_t thread = _beginthreadex(nullptr, 0, workerEntry, parameter, 0, nullptr);
  if (thread == 0) {
    error = errno ? errno : EAGAIN;
    delete parameter;
    return {};
  }
  error = 0;
  return KernelHandle(reinterpret_cast<HANDLE>(thread));
}

int WorkerThreadGroup::start(std::function<void()> body) {
  std::scoped_lock lock(mutex_);
  if (closing_) return EAGAIN;
  forgetEndedLocked();
  int error = 0;
  KernelHandle thread = startWorkerThread(std::move(body), error);
  if (thread) threads_.push_back(std::move(thread));
  return error;
}

bool WorkerThreadGroup::closeAndJoin(std::uint32_t timeoutMs) {
  std::vector<HANDLE> threads;
  {
    std::scoped_lock lock(mutex_);
    closing_ = true;
    for (const KernelHandle& thread : threads_) threads.push_back(thread.get());
  }
  // Nothing is added once closing, so the copy is the whole group.
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  bool allEnded = true;
  for (HANDLE thread : threads) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < end ? static_cast<DWORD>(end - now) : 0;
    if (WaitForSingleObject(thread, left) != WAIT_OBJECT_0) allEnded = false;
  }
  return allEnded;
}

void WorkerThreadGroup::forgetEndedLocked() {
  std::erase_if(threads_, [](const KernelHandle& thread) { return hasEnded(thread.get()); });
}

}  // namespace tolvane::win32
