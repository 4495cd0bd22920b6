#include "engine/explorer_watch/explorer_watch.h"

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
  if (isBhoUp_ && isBhoUp_()) return enumerateExplorerWindows(recorded_);

  const std::size_t open = enumerateExplorerWindows(recorded_);
  std::size_t target = 1;
  if (open > 0) {
    recycleExplorer();
    target = open;
  } else {
    std::u16string commandLine = program_;
    if (!lastFolder.empty()) commandLine += u" /e," + std::u16string(lastFolder);
    start(commandLine, u"CreateProcess error in OnBnClickStartWatch; code=");
  }

  ExplorerWindowList fresh;
  std::size_t waits = 0;
  waitForCount(target, fresh, waits);
  system_.sleep(static_cast<std::uint32_t>(kSettleMsPerWindow * target));
  system_.bringToForeground(mainWindow);
  return open;
}

void ExplorerWatch::startAtLaunch(WindowHandle mainWindow, std::u16string_view lastFolder) {
  if (startWatch(mainWindow, lastFolder) == 0) startedExplorer_ = true;
}

void ExplorerWatch::closeStartedExplorers() {
  if (!startedExplorer_.exchange(false)) return;
  std::lock_guard<std::mutex> lock(recordedMutex_);
  ExplorerWindowList fresh;
  enumerateExplorerWindows(fresh);
  for (const ExplorerWindowRecord& record : fresh) system_.closeWindow(record.window);
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
