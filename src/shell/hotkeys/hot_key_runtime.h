#pragma once
// Everything that turns hot keys and Run commands into done chores in
// Tolvane.exe, made once by the program's core: the executor on the
// platform the core lends, the command slot and the chore thread, the list
// launcher, the hook with its master key and wizard capture, and the
// keyboard hook.
//
// Use from the core, in start-up order:
//   HotKeyRuntime hotKeys({library, log, sync, registry, companion, shell, desktop,
//                          windows, keyboard, clipboard, sounds, prompts, accessibility,
//                          processes, choreEvent, schedulerEvent});
//   hotKeys.attachWindow(dialog, showHotKeysOn);
//   hotKeys.startChoreThread();
//   hotKeys.installHook();                          // after the Explorer watch
//   hotKeys.hook().setSuspended(false);             // end of start-up
//   hotKeys.onTimer();                              // every second
//   hotKeys.runChore(name);                         // Run (3002), tray
//   hotKeys.queueChore(chore);                      // Tolvane.exe /run
//   hotKeys.requestExit(); ... hotKeys.removeHook(); hotKeys.endChoreThread(ms);

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include "engine/executor/chore_executor.h"
#include "engine/hotkeys/chore_command_slot.h"
#include "engine/hotkeys/chore_list_launcher.h"
#include "engine/hotkeys/hot_key_hook.h"
#include "engine/hotkeys/key_capture.h"
#include "platform/accessibility.h"
#include "platform/clipboard.h"
#include "platform/companion.h"
#include "platform/desktop.h"
#include "platform/keyboard_input.h"
#include "platform/processes.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/shell_actions.h"
#include "platform/sounds.h"
#include "platform/sync.h"
#include "win32_common/owned_handle.h"
#include "platform/window_actions.h"
#include "shell/hotkeys/keyboard_hook.h"

namespace tolvane::win32 {

struct HotKeyRuntimeServices {
  ChoreLibrary& library;
  LogSink& log;
  Sync& sync;
  Registry& registry;
  Companion& companion;
  ShellActions& shell;
  Desktop& desktop;
  WindowActions& windows;
  KeyboardInput& keyboard;
  Clipboard& clipboard;
  Sounds& sounds;
  // Without owner: a chore's box must not hang off the main window.
  Prompts& prompts;
  Accessibility& accessibility;
  Processes& processes;
  // "_tolvChoreCmdEvnt_" and "_tolvSchedCmdEvnt_".
  std::shared_ptr<Event> choreEvent;
  std::shared_ptr<Event> schedulerEvent;
};

class HotKeyRuntime {
 public:
  explicit HotKeyRuntime(HotKeyRuntimeServices services);
  ~HotKeyRuntime();
  HotKeyRuntime(const HotKeyRuntime&) = delete;
  HotKeyRuntime& operator=(const HotKeyRuntime&) = delete;

  // The main window, which is never typed into, and what shows it whether
  // hot keys are on (its toolbar's hot-key button); before the chore thread
  // starts.
  void attachWindow(HWND mainWindow, std::function<void(bool)> showHotKeysOn);

  // OnBnClickStartWatch for explore chores; none keeps Explorer as it is.
  // May be set after the chore thread has started.
  void setStartWatch(std::function<void()> startWatch) {
    std::scoped_lock lock(startWatchMutex_);
    startWatch_ = std::move(startWatch);
  }

  // Starts the chore thread waiting on the chore event; false (with a
  // debug line) when it could not be started.
  bool startChoreThread();
  bool installHook() { return keyboardHook_.install() == 0; }
  void removeHook() { keyboardHook_.uninstall(); }
  void onTimer() { keyboardHook_.checkStillInstalled(); }

  // runChore by name (Run on a chore or step, the tray); false when there
  // is no such chore or no chore thread.
  bool runChore(std::u16string_view name);
  // A chore that is not in the library (the wizard's trial).
  bool runChore(const Chore& chore);
  // A request from the command line: queued, never replaced by a later
  // one; false when the queue is full or there is no chore thread.
  bool queueChore(const Chore& chore) { return choreThread_ && slot_.queueChore(chore); }
  // Shutdown: "exit" for the chore thread and the scheduler.
  void requestExit();
  // "exit", then waits up to `waitMs` for the chore thread, which may be
  // inside a chore; true when it has ended (or never started).
  bool endChoreThread(std::uint32_t waitMs);

  ChoreExecutor& executor() { return executor_; }
  ChoreListLauncher& launcher() { return launcher_; }
  HotKeyHook& hook() { return hook_; }
  KeyCapture& capture() { return capture_; }
  LastFolder& lastFolder() { return lastFolder_; }
  bool exitRequested() const { return slot_.exitRequested(); }

 private:
  HotKeyRuntimeServices s_;
  LastFolder lastFolder_;
  std::atomic<WindowHandle> mainWindow_{0};
  std::function<void(bool)> showHotKeysOn_;
  std::mutex startWatchMutex_;
  std::function<void()> startWatch_;
  ChoreCommandSlot slot_;
  ChoreListLauncher launcher_;
  KeyCapture capture_;
  HotKeyHook hook_;
  ChoreExecutor executor_;
  KeyboardHook keyboardHook_;
  KernelHandle choreThread_;
};

}  // namespace tolvane::win32
