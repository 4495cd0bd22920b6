#pragma once
// The single command thread, hosted by the first accepted Explorer
// process, which carries out the commands the main program writes into
// the shared block.

#include <windows.h>

namespace tolvane::companion {

// Starts the thread in this process unless one runs somewhere; called by
// the attach of an Explorer process.
void startCommandThreadIfNone();

// This very process (not merely one with its id) started the command
// thread, which has not been shut down.
bool hostsCommandThread();

// A process that ended without detaching (killed, crashed) leaves its
// command thread's state behind: the handles are dropped unclosed, since
// they were only ever that process's, and its count is taken back, so that
// the next Explorer starts a new thread.
void forgetCommandThreadOfEndedProcess();

// Detach of the process that hosts the command thread.
void shutDownCommandThread(bool processTerminating);

// Restores the window if minimised, brings it to the front and repaints
// it; the result of SetForegroundWindow.
BOOL bringBrowserToFront(HWND window);

}  // namespace tolvane::companion
