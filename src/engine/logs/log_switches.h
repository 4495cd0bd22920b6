#pragma once
// The settings the log writers read on every line, from any thread. The
// main window copies them in after loading the settings and after the
// options dialog changed them.

#include <atomic>
#include <cstdint>

namespace tolvane {

struct LogSwitches {
  std::atomic<bool> doActivityLog{false};
  std::atomic<bool> doDebugLog{false};
  std::atomic<std::int32_t> maxActivityLogs{500};
};

}  // namespace tolvane
