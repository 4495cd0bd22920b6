#pragma once
// Keeps an Explorer window that hosts the companion running. Explorer
// windows opened before the main program loaded the companion carry no
// helper object, so when the companion's command thread is not up, the open
// Explorer windows are closed and reopened in place, or Explorer is started.
// Where Explorer does not load the companion at all (Wine's, or one that
// refuses browser helper objects), the first try shows it: the window
// started for nothing is closed again, and from then on folders open
// through the shell without starting or waiting for Explorer. At start-up,
// that window may show only after the wait for it has ended (a first start
// in a fresh system takes that long): closeLateWindow, run off the user
// interface's thread, closes it then.
//
// One object serves the whole run: start-up calls startAtLaunch, every
// explore chore calls startWatch (OnBnClickStartWatch) from its worker
// thread, and the exit sequence calls closeStartedExplorers. Calls may come
// from several threads at once; each runs to its end before the next one
// uses the recorded windows.

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/explorer_windows.h"
#include "platform/log_sink.h"

namespace tolvane {

inline constexpr std::u16string_view kExplorerWindowClass = u"ExploreWClass";
// Every class an Explorer folder window has: with the folder pane, without
// it (today's Windows names all its folder windows so), and Wine's.
inline constexpr std::array<std::u16string_view, 3> kAnyExplorerWindowClass = {
    kExplorerWindowClass, u"CabinetWClass", u"ExplorerWClass"};
inline constexpr std::u16string_view kExplorerProgram = u"Explorer.exe";
inline constexpr std::u16string_view kShellOnlyNotice =
    u"Explorer does not load the Tolvane companion; folders will open through the shell.";

class ExplorerWatch {
 public:
  // `isBhoUp` is the companion's export; leave it empty when the companion
  // did not load. `program` is what is started for Explorer.
  ExplorerWatch(ExplorerWindows& system, LogSink& log, std::function<bool()> isBhoUp,
                std::u16string program = std::u16string(kExplorerProgram));

  // Empties the list and fills it with the open Explorer windows of class
  // "ExploreWClass"; returns their number.
  std::size_t enumerateExplorerWindows(ExplorerWindowList& list);

  // Makes sure an Explorer window hosting the companion runs; returns the
  // number of Explorer windows that were open when called. Blocks the
  // calling thread for up to a few seconds while Explorer comes up, unless
  // an earlier call found that Explorer does not host the companion.
  std::size_t startWatch(WindowHandle mainWindow, std::u16string_view lastFolder);

  // Start-up: startWatch, and remembers that Explorer was started by us for
  // the companion when no Explorer window was open.
  void startAtLaunch(WindowHandle mainWindow, std::u16string_view lastFolder);

  // Exit: when start-up started Explorer for the companion, closes every
  // "ExploreWClass" window and the window it started (once).
  void closeStartedExplorers();

  // After startAtLaunch: true when the companion stayed down and the window
  // of the Explorer it started had not shown yet.
  bool awaitsLateWindow() const { return lateStart_.has_value(); }
  // Closes that window, the first window of an Explorer class that was not
  // there before the start and shows within kLateWindowMs of it, unless the
  // companion came up with it; closes nothing after that, nor once an
  // explore chore or the exit has begun. Blocks the calling thread
  // meanwhile; does its work once.
  void closeLateWindow();
  // From now on closeLateWindow closes nothing.
  void cancelLateWindowClose() { lateCloseCancelled_ = true; }

  static constexpr std::uint64_t kLateWindowMs = 10000;

  bool startedExplorer() const { return startedExplorer_; }
  bool shellOnly() const { return shellOnly_; }

 private:
  struct StartedExplorer {
    WindowHandle window = 0;  // 0 when it had not shown yet
    std::vector<WindowHandle> before;  // Explorer windows open before the start
    std::uint64_t atMs = 0;
  };
  struct Watched {
    std::size_t open = 0;  // Explorer windows open when called
    // Empty unless Explorer was started and its window came alone or not at all.
    std::optional<StartedExplorer> started;
  };

  // Under recordedMutex_.
  Watched watch(WindowHandle mainWindow, std::u16string_view lastFolder);
  bool companionUp() const { return isBhoUp_ && isBhoUp_(); }
  std::optional<StartedExplorer> startExplorer(std::u16string_view lastFolder);
  std::vector<WindowHandle> anyExplorerWindows();
  std::vector<WindowHandle> explorerWindowsAddedTo(const std::vector<WindowHandle>& before);
  void recycleExplorer();
  void useShellFromNowOn(WindowHandle started);
  std::size_t waitForCount(std::size_t count, ExplorerWindowList& fresh, std::size_t& waits);
  bool start(std::u16string_view commandLine, std::u16string_view errorText);
  void debugLog(std::uint32_t code, std::u16string_view text);

  ExplorerWindows& system_;
  LogSink& log_;
  std::function<bool()> isBhoUp_;
  std::u16string program_;
  std::mutex recordedMutex_;
  ExplorerWindowList recorded_;
  // The window start-up opened for the companion, closed at exit whatever
  // its class.
  WindowHandle startedWindow_ = 0;
  std::atomic<bool> startedExplorer_{false};
  std::atomic<bool> shellOnly_{false};
  // Set by startAtLaunch before closeLateWindow runs.
  std::optional<StartedExplorer> lateStart_;
  // An explore chore sets it under recordedMutex_: its own window, opened
  // next, is never taken for Explorer's late one.
  std::atomic<bool> lateCloseCancelled_{false};
};

}  // namespace tolvane
