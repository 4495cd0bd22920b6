#pragma once
// Live objects and server locks of this process, for DllCanUnloadNow.

#include <atomic>

namespace tolvane::companion {

inline std::atomic<long> liveObjects{0};
inline std::atomic<long> serverLocks{0};

}  // namespace tolvane::companion
