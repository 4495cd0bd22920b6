#pragma once
// The single command thread, hosted by the first accepted Explorer
// process, which carries out the commands the main program writes into
// the shared block.

#include <windows.h>

namespace tolvane::companion {

// Starts the thread in this process unless one runs somewhere; called by
// the attach of an Explorer process.
void startCommandThreadIfNone();

// Detach of the process that hosts the command thread.
void shutDownCommandThread(bool processTerminating);

// Restores the window if minimised, brings it to the front and repaints
// it; the result of SetForegroundWindow.
BOOL bringBrowserToFront(HWND window);

}  // namespace tolvane::companion
