#pragma once
// Worker threads of the main program, started with the C runtime so that
// a failure has an errno and every thread ends with exit code 56.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/win32/common/owned_handle.h"

namespace tolvane::win32 {

// Starts the body on a new thread; its handle, or none with the C runtime's
// error number in `error`.
KernelHandle startWorkerThread(std::function<void()> body, int& error);

// Threads whose owner waits for them before it lets go of what they use.
// Any thread may start one; a group that is closing starts no more, so a
// list that chains to the next one while the program ends starts nothing.
class WorkerThreadGroup {
 public:
  WorkerThreadGroup() = default;
  // Closes the handles without waiting: call closeAndJoin first.
  ~WorkerThreadGroup() = default;
  WorkerThreadGroup(const WorkerThreadGroup&) = delete;
  WorkerThreadGroup& operator=(const WorkerThreadGroup&) = delete;

  // 0, or the C runtime's error number (EAGAIN once the group is closing).
  int start(std::function<void()> body);

  // Starts no more threads and waits up to `timeoutMs` in all for those
  // started; true when every one has ended.
  bool closeAndJoin(std::uint32_t timeoutMs);

 private:
  void forgetEndedLocked();

  std::mutex mutex_;
  std::vector<KernelHandle> threads_;
  bool closing_ = false;
};

}  // namespace tolvane::win32
