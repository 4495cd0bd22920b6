#pragma once
// Running and scheduled lists in the main window's tree and tray tip.
// Worker threads call in; the work is queued and done on the window's own
// thread when it drains the queue on kRunDisplayMessage.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/runner/run_display.h"
#include "platform/clock.h"

namespace tolvane::win32 {

// The tray tip while no list runs, from start-up on.
inline constexpr char16_t kIdleTrayTip[] = u"Tolvane\nTolvane at your service...";

class TreeRunDisplay final : public RunDisplay {
 public:
  static constexpr UINT kRunDisplayMessage = WM_APP + 57;

  TreeRunDisplay(const Clock& clock, std::function<void(std::u16string_view)> setTrayTip)
      : clock_(clock), setTrayTip_(std::move(setTrayTip)) {}

  // The main window (which receives kRunDisplayMessage) and its tree; null
  // handles drop whatever is queued later.
  void attach(HWND mainWindow, HWND tree);

  void listStarted(std::u16string_view listName) override;
  void stepStarted(std::u16string_view listName, int stepIndex) override;
  void listEnded(const ChoreList& list) override;
  void listPendingToday(std::u16string_view listName) override;
  void listLaunchedBySchedule(std::u16string_view listName) override;

  // On the window's thread.
  void drain();

 private:
  using Change = std::function<void(HWND tree)>;
  void post(Change change);

  const Clock& clock_;
  std::function<void(std::u16string_view)> setTrayTip_;
  std::mutex mutex_;
  HWND mainWindow_ = nullptr;
  HWND tree_ = nullptr;
  std::vector<Change> pending_;
};

// Tree helpers, by item text (the tree's only link to the library).
HTREEITEM findListItem(HWND tree, std::u16string_view listName);
void markRunning(HWND tree, HTREEITEM item, bool running);

}  // namespace tolvane::win32
