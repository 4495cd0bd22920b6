#include "shell/explorer_watch/explorer_watch.h"

#include <utility>

#include "platform/win32/targeting/window_handle.h"

namespace tolvane {

CExplorerWatch::CExplorerWatch(LogSink& log, std::function<bool()> isBhoUp)
    : watch_(system_, log, std::move(isBhoUp)) {}

CExplorerWatch::CExplorerWatch(LogSink& log, std::function<bool()> isBhoUp, std::u16string program)
    : watch_(system_, log, std::move(isBhoUp), std::move(program)) {}

std::size_t CExplorerWatch::OnBnClickStartWatch(HWND mainWindow, std::u16string_view lastFolder) {
  return watch_.startWatch(win32::toWindowHandle(mainWindow), lastFolder);
}

CExplorerWatch::~CExplorerWatch() {
  watch_.cancelLateWindowClose();
  if (lateCloser_.joinable()) lateCloser_.join();
}

void CExplorerWatch::startAtLaunch(HWND mainWindow, std::u16string_view lastFolder) {
  watch_.startAtLaunch(win32::toWindowHandle(mainWindow), lastFolder);
  if (watch_.awaitsLateWindow()) lateCloser_ = std::thread([this] { watch_.closeLateWindow(); });
}

void CExplorerWatch::closeStartedExplorers(HWND) { watch_.closeStartedExplorers(); }

std::size_t CExplorerWatch::enumerateExplorerWindows(ExplorerWindowList& list) {
  return watch_.enumerateExplorerWindows(list);
}

}  // namespace tolvane
