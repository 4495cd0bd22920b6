#include "engine/explorer_watch/explorer_watch.h"

#include <algorithm>
#include <utility>

#include "base/format.h"

namespace tolvane {

namespace {

constexpr std::size_t kMaxWaits = 30;
constexpr std::uint32_t kWaitStepMs = 100;
constexpr std::uint32_t kSettleMsPerWindow = 200;

}  // namespace

ExplorerWatch::ExplorerWatch(ExplorerWindows& system, LogSink& log, std::function<bool()> isBhoUp,
                             std::u16string program)
    : system_(system), log_(log), isBhoUp_(std::move(isBhoUp)), program_(std::move(program)) {}

std::size_t ExplorerWatch::enumerateExplorerWindows(ExplorerWindowList& list) {
  list = system_.windowsOfClass(kExplorerWindowClass);
  return list.size();
}

std::size_t ExplorerWatch::startWatch(WindowHandle mainWindow, std::u16string_view lastFolder) {
  std::lock_guard<std::mutex> lock(recordedMutex_);
  lateCloseCancelled_ = true;
  return watch(mainWindow, lastFolder).open;
}

void ExplorerWatch::startAtLaunch(WindowHandle mainWindow, std::u16string_view lastFolder) {
  std::lock_guard<std::mutex> lock(recordedMutex_);
  const Watched watched = watch(mainWindow, lastFolder);
  if (shellOnly_ && watched.started && !watched.started->window) lateStart_ = watched.started;
  if (watched.open > 0 || shellOnly_) return;
  startedExplorer_ = true;
  startedWindow_ = watched.started ? watched.started->window : 0;
}

ExplorerWatch::Watched ExplorerWatch::watch(WindowHandle mainWindow, std::u16string_view lastFolder) {
  if (shellOnly_ || companionUp()) return {enumerateExplorerWindows(recorded_), std::nullopt};

  Watched watched{enumerateExplorerWindows(recorded_), std::nullopt};
  if (watched.open > 0) {
    recycleExplorer();
    ExplorerWindowList fresh;
    std::size_t waits = 0;
    waitForCount(watched.open, fresh, waits);
  } else {
    watched.started = startExplorer(lastFolder);
  }
  system_.sleep(static_cast<std::uint32_t>(kSettleMsPerWindow * std::max<std::size_t>(watched.open, 1)));
  if (!companionUp()) useShellFromNowOn(watched.started ? watched.started->window : 0);
  system_.bringToForeground(mainWindow);
  return watched;
}

// A first start in a fresh system can show Explorer's window only after
// start-up stopped waiting for it; left open, it would stay for the whole
// run, a folder window nobody asked for.
void ExplorerWatch::closeLateWindow() {
  const std::optional<StartedExplorer> started = std::exchange(lateStart_, std::nullopt);
  if (!started) return;
  while (system_.tickMs() - started->atMs < kLateWindowMs) {
    {
      std::lock_guard<std::mutex> lock(recordedMutex_);
      if (lateCloseCancelled_) return;
      const std::vector<WindowHandle> added = explorerWindowsAddedTo(started->before);
      // With two, one may be the user's.
      if (added.size() > 1) return;
      if (added.size() == 1) {
        // Where Explorer hosts the companion after all, it is up by now.
        if (!companionUp()) system_.closeWindow(added.front());
        return;
      }
    }
    system_.sleep(kWaitStepMs);
  }
}

void ExplorerWatch::closeStartedExplorers() {
  cancelLateWindowClose();
  if (!startedExplorer_.exchange(false)) return;
  std::lock_guard<std::mutex> lock(recordedMutex_);
  ExplorerWindowList fresh;
  enumerateExplorerWindows(fresh);
  for (const ExplorerWindowRecord& record : fresh) system_.closeWindow(record.window);
  const std::vector<WindowHandle> remaining = anyExplorerWindows();
  if (std::find(remaining.begin(), remaining.end(), startedWindow_) != remaining.end())
    system_.closeWindow(startedWindow_);
}

// Explorer opens its window in a class that depends on the system, so the
// wait is for a new top-level window of any Explorer class. Only a window
// that came alone is taken for ours: with two, one may be the user's.
std::optional<ExplorerWatch::StartedExplorer> ExplorerWatch::startExplorer(std::u16string_view lastFolder) {
  StartedExplorer started{0, anyExplorerWindows(), system_.tickMs()};
  std::u16string commandLine = program_;
  if (!lastFolder.empty()) commandLine += u" /e," + std::u16string(lastFolder);
  const bool launched = start(commandLine, u"CreateProcess error in OnBnClickStartWatch; code=");

  std::vector<WindowHandle> added;
  for (std::size_t waits = 0;; ++waits) {
    added = explorerWindowsAddedTo(started.before);
    if (!added.empty() || waits == kMaxWaits) break;
    system_.sleep(kWaitStepMs);
  }
  if (!launched || added.size() > 1) return std::nullopt;
  if (added.size() == 1) started.window = added.front();
  return started;
}

std::vector<WindowHandle> ExplorerWatch::anyExplorerWindows() {
  std::vector<WindowHandle> windows;
  for (std::u16string_view className : kAnyExplorerWindowClass) {
    for (const ExplorerWindowRecord& record : system_.windowsOfClass(className)) windows.push_back(record.window);
  }
  return windows;
}

std::vector<WindowHandle> ExplorerWatch::explorerWindowsAddedTo(const std::vector<WindowHandle>& before) {
  std::vector<WindowHandle> added = anyExplorerWindows();
  std::erase_if(added, [&before](WindowHandle window) {
    return std::find(before.begin(), before.end(), window) != before.end();
  });
  return added;
}

// Explorer came, or was reopened, and still nobody hosts the companion: it
// will not come in this session, so starting or recycling Explorer again
// would only cost the user seconds and windows.
void ExplorerWatch::useShellFromNowOn(WindowHandle started) {
  shellOnly_ = true;
  if (started) system_.closeWindow(started);
  log_.activity(kShellOnlyNotice, false);
}

void ExplorerWatch::recycleExplorer() {
  for (const ExplorerWindowRecord& record : recorded_) system_.closeWindow(record.window);
  for (const ExplorerWindowRecord& record : recorded_) {
    if (!start(program_ + u" /e," + record.title, u"CreateProcess error in recycleExplorer; code=")) return;
  }

  ExplorerWindowList fresh;
  std::size_t waits = 0;
  if (waitForCount(recorded_.size(), fresh, waits) != recorded_.size()) {
    debugLog(static_cast<std::uint32_t>(waits * kWaitStepMs), u"Waiting for Explorers in recycleExplorer(); waitTime=");
    return;
  }

  // A new window shows its final title only once it has reached its folder;
  // placements are matched on titles, so wait for the last one to settle.
  const ExplorerWindowRecord& last = fresh.back();
  for (std::size_t i = 0; i < kMaxWaits && system_.windowTitle(last.window) != last.title; ++i) {
    system_.sleep(kWaitStepMs);
  }

  for (const ExplorerWindowRecord& window : fresh) {
    for (const ExplorerWindowRecord& old : recorded_) {
      if (old.title == window.title) {
        system_.setPlacement(window.window, old.placement);
        break;
      }
    }
  }
}

std::size_t ExplorerWatch::waitForCount(std::size_t count, ExplorerWindowList& fresh, std::size_t& waits) {
  std::size_t found = enumerateExplorerWindows(fresh);
  for (waits = 0; found != count && waits < kMaxWaits; ++waits) {
    system_.sleep(kWaitStepMs);
    found = enumerateExplorerWindows(fresh);
  }
  return found;
}

bool ExplorerWatch::start(std::u16string_view commandLine, std::u16string_view errorText) {
  const std::uint32_t error = system_.startProgram(commandLine);
  if (error == 0) return true;
  debugLog(error, errorText);
  return false;
}

void ExplorerWatch::debugLog(std::uint32_t code, std::u16string_view text) {
  if (code == 0) {
    log_.debug(text);
    return;
  }
  log_.activity(formatText(u"%s %08.8x", text, code), true);
  log_.debug(formatText(u"%s%08.8x", text, code));
}

}  // namespace tolvane
