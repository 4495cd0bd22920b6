#pragma once
// Worker threads of the main program, started with the C runtime so that
// a failure has an errno and every thread ends with exit code 56.

#include <windows.h>

#include <functional>

namespace tolvane::win32 {

// Starts the body on a new thread; the handle (owned by the caller) or null
// with the C runtime's error number in `error`.
HANDLE startWorkerThread(std::function<void()> body, int& error);

// Starts a thread nobody waits for: 0, or the C runtime's error number.
int startDetachedWorkerThread(std::function<void()> body);

}  // namespace tolvane::win32
