#pragma once
// A kernel handle with one owner, closed once when the owner lets it go.
//
// The system says "no handle" two ways, and each kind of owner knows its
// own, so that `if (!handle)` asks the right question and one kind cannot be
// passed where the other is expected: most calls (events, mutexes,
// processes, threads, tokens) give NULL, while CreateFile and
// CreateNamedPipe give INVALID_HANDLE_VALUE, which is also a real handle's
// value (the current process's pseudo-handle) for the calls of the first
// kind.
//
// Not for handles kept in the companion's shared block (they are valid only
// in the process that stored them), the single-instance mutex (it lives as
// long as the process) or threads that are let go without being waited for.

#include <windows.h>

#include <utility>

namespace tolvane::win32 {

template <typename Kind>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() { close(); }
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != Kind::none(); }

  // Hands the handle over: the caller closes it.
  HANDLE release() { return std::exchange(handle_, Kind::none()); }

  void reset(HANDLE handle = Kind::none()) {
    close();
    handle_ = handle;
  }

  // Closes now; whether closing succeeded (closing a file flushes it, and
  // a failure there is a failed write). Nothing to close counts as success.
  bool close() {
    if (!*this) return true;
    return CloseHandle(release()) != FALSE;
  }

 private:
  HANDLE handle_ = Kind::none();
};

struct NullIsNone {
  static HANDLE none() { return nullptr; }
};
struct InvalidIsNone {
  static HANDLE none() { return INVALID_HANDLE_VALUE; }
};

// Events, mutexes, processes, threads.
using KernelHandle = OwnedHandle<NullIsNone>;
// What CreateFileW and CreateNamedPipeW open: files, consoles, pipes.
using FileHandle = OwnedHandle<InvalidIsNone>;

}  // namespace tolvane::win32
