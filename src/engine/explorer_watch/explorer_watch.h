#pragma once
// Keeps an Explorer window that hosts the companion running. Explorer
// windows opened before the main program loaded the companion carry no
// helper object, so when the companion's command thread is not up, the open
// Explorer windows are closed and reopened in place, or Explorer is started.
//
// One object serves the whole run: start-up calls startAtLaunch, every
// explore chore calls startWatch (OnBnClickStartWatch) from its worker
// thread, and the exit sequence calls closeStartedExplorers. Calls may come
// from several threads at once; each runs to its end before the next one
// uses the recorded windows.

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/explorer_windows.h"
#include "platform/log_sink.h"

namespace tolvane {

inline constexpr std::u16string_view kExplorerWindowClass = u"ExploreWClass";
inline constexpr std::u16string_view kExplorerProgram = u"Explorer.exe";

class ExplorerWatch {
 public:
  // `isBhoUp` is the companion's export; leave it empty when the companion
  // did not load. `program` is what is started for Explorer.
  ExplorerWatch(ExplorerWindows& system, LogSink& log, std::function<bool()> isBhoUp,
                std::u16string program = std::u16string(kExplorerProgram));

  // Empties the list and fills it with the open Explorer windows; returns
  // their number.
  std::size_t enumerateExplorerWindows(ExplorerWindowList& list);

  // Makes sure an Explorer window hosting the companion runs; returns the
  // number of Explorer windows that were open when called. Blocks the
  // calling thread for up to a few seconds while Explorer comes up.
  std::size_t startWatch(WindowHandle mainWindow, std::u16string_view lastFolder);

  // Start-up: startWatch, and remembers that Explorer was started by us when
  // no Explorer window was open.
  void startAtLaunch(WindowHandle mainWindow, std::u16string_view lastFolder);

  // Exit: when start-up had to start Explorer, closes every Explorer window
  // (once).
  void closeStartedExplorers();

  bool startedExplorer() const { return startedExplorer_; }

 private:
  void recycleExplorer();
  std::size_t waitForCount(std::size_t count, ExplorerWindowList& fresh, std::size_t& waits);
  bool start(std::u16string_view commandLine, std::u16string_view errorText);
  void debugLog(std::uint32_t code, std::u16string_view text);

  ExplorerWindows& system_;
  LogSink& log_;
  std::function<bool()> isBhoUp_;
  std::u16string program_;
  std::mutex recordedMutex_;
  ExplorerWindowList recorded_;
  std::atomic<bool> startedExplorer_{false};
};

}  // namespace tolvane
