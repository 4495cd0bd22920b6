#pragma once
// Names of the kernel objects that cross process boundaries.

namespace tolvane::protocol {

// Wakes the companion's command thread; auto-reset.
inline constexpr char16_t kCmdEventName[] = u"_tolvCmdEvnt_";
// Wakes Keyrune+ for a surf or logon command; auto-reset.
inline constexpr char16_t kKeyruneEventName[] = u"_tlBhoCmdEvnt";
// Serialises every append to the debug log (and to the activity file).
inline constexpr char16_t kDebugMutexName[] = u"_tolvDbgMtx_";
// Serialises the rows of the main program's activity window.
inline constexpr char16_t kActivityMutexName[] = u"_tolvActivityMtx_";
// Held around every text copy into or out of the shared block, so that no
// reader meets a half-written text.
inline constexpr char16_t kBlockMutexName[] = u"_tolvBlockMtx_";

// Longest wait for the log and block mutexes, in milliseconds.
inline constexpr unsigned kLogMutexWaitMs = 3000;
inline constexpr unsigned kBlockMutexWaitMs = 3000;

}  // namespace tolvane::protocol
