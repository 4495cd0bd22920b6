#pragma once
// Everything that turns hot keys and Run commands into done chores in
// Tolvane.exe, made once by the main window: the executor on the real
// platform, the command slot and the chore thread, the list launcher, the
// hook with its master key and wizard capture, and the keyboard hook.
//
// Use from the main window, in start-up order:
//   HotKeyRuntime hotKeys({library, log, sync, registry, companion, choreEvent,
//                          schedulerEvent, dialog, toolbar});
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
#include "platform/companion.h"
#include "platform/registry.h"
#include "platform/sync.h"
#include "platform/win32/common/owned_handle.h"
#include "platform/win32/executor/win32_clipboard.h"
#include "platform/win32/executor/win32_keyboard_input.h"
#include "platform/win32/executor/win32_shell_actions.h"
#include "platform/win32/executor/win32_sounds.h"
#include "platform/win32/executor/win32_window_actions.h"
#include "platform/win32/library/win32_prompts.h"
#include "platform/win32/targeting/accessible_object.h"
#include "platform/win32/targeting/win32_desktop.h"
#include "shell/hotkeys/keyboard_hook.h"

namespace tolvane::win32 {

struct HotKeyRuntimeServices {
  ChoreLibrary& library;
  LogSink& log;
  Sync& sync;
  Registry& registry;
  Companion& companion;
  // "_tolvChoreCmdEvnt_" and "_tolvSchedCmdEvnt_".
  std::shared_ptr<Event> choreEvent;
  std::shared_ptr<Event> schedulerEvent;
  // The main window owns shell windows and is never typed into; its
  // toolbar button 1002 shows whether hot keys are on.
  HWND mainWindow;
  HWND toolbar;
};

class HotKeyRuntime {
 public:
  explicit HotKeyRuntime(HotKeyRuntimeServices services);
  ~HotKeyRuntime();
  HotKeyRuntime(const HotKeyRuntime&) = delete;
  HotKeyRuntime& operator=(const HotKeyRuntime&) = delete;

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

  // The platform services the list runner shares.
  Desktop& desktop() { return desktop_; }
  Clipboard& clipboard() { return clipboard_; }
  Sounds& sounds() { return sounds_; }

 private:
  HotKeyRuntimeServices s_;
  Win32ShellActions shell_;
  Win32Desktop desktop_;
  Win32WindowActions windows_;
  Win32KeyboardInput keyboard_;
  Win32Clipboard clipboard_;
  Win32Sounds sounds_;
  Win32Prompts ownerlessPrompts_;
  Win32Accessibility accessibility_;
  Win32Processes processes_;
  LastFolder lastFolder_;
  std::atomic<WindowHandle> mainWindow_;
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
