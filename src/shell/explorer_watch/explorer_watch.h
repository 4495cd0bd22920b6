#pragma once
// The main program's Explorer watch: keeps an Explorer window that hosts the
// companion running, and closes the Explorer windows it started at exit.
//
// Use from the main window:
//   CExplorerWatch watch(log, isBhoUp);            // isBhoUp: the resolved
//                                                  // export, empty if missing
//   watch.startAtLaunch(mainWindow, lastFolder);   // start-up, after the
//                                                  // companion is bound
//   watch.OnBnClickStartWatch(mainWindow, lastFolder); // before every explore
//                                                  // chore, from its thread
//   watch.closeStartedExplorers(mainWindow);       // exit sequence, after the
//                                                  // workers were told to stop
// Every operation may be called from any thread; calls that overlap run one
// after the other. OnBnClickStartWatch and startAtLaunch block the calling
// thread for up to about seven seconds while Explorer windows come and go.
// The window of the Explorer start-up started, when it hosts no companion
// and shows only after start-up stopped waiting, is closed by a thread of
// the watch's own; the watch ends that thread.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "engine/explorer_watch/explorer_watch.h"
#include "platform/log_sink.h"
#include "shell/explorer_watch/win32_explorer_windows.h"

namespace tolvane {

class CExplorerWatch {
 public:
  // `isBhoUp` calls the companion's export; leave it empty when the
  // companion did not load. Errors go to `log` as debugLog lines (with the
  // activity-window row for non-zero codes).
  CExplorerWatch(LogSink& log, std::function<bool()> isBhoUp);

  // As above, starting `program` instead of "Explorer.exe" (for tests).
  CExplorerWatch(LogSink& log, std::function<bool()> isBhoUp, std::u16string program);

  CExplorerWatch(const CExplorerWatch&) = delete;
  CExplorerWatch& operator=(const CExplorerWatch&) = delete;
  ~CExplorerWatch();

  // Makes sure an Explorer window hosting the companion runs, by starting
  // Explorer on `lastFolder` or reopening the open Explorer windows in place;
  // returns how many Explorer windows were open when called.
  std::size_t OnBnClickStartWatch(HWND mainWindow, std::u16string_view lastFolder);

  // Start-up: OnBnClickStartWatch, and remembers (startedExplorer) when no
  // Explorer window was open. When the companion stays down, the window of
  // the Explorer it started is closed, also when it shows only later
  // (within ten seconds of the start), without holding the caller up
  // meanwhile.
  void startAtLaunch(HWND mainWindow, std::u16string_view lastFolder);

  // Exit: when Explorer was started at launch, closes every Explorer window.
  void closeStartedExplorers(HWND mainWindow);

  // The open Explorer windows with their titles and placements.
  std::size_t enumerateExplorerWindows(ExplorerWindowList& list);

  bool startedExplorer() const { return watch_.startedExplorer(); }

 private:
  win32::Win32ExplorerWindows system_;
  ExplorerWatch watch_;
  std::thread lateCloser_;
};

}  // namespace tolvane
