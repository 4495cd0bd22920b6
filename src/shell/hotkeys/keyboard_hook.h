#pragma once
// The low-level keyboard hook of the whole desktop, on the user-interface
// thread that installs it. One at a time per process.

#include <windows.h>

#include <atomic>

#include "engine/hotkeys/hook_watchdog.h"
#include "engine/hotkeys/hot_key_hook.h"
#include "platform/log_sink.h"

namespace tolvane::win32 {

class KeyboardHook {
 public:
  KeyboardHook(HotKeyHook& hook, LogSink& log) : hook_(hook), log_(log) {}
  ~KeyboardHook() { uninstall(); }
  KeyboardHook(const KeyboardHook&) = delete;
  KeyboardHook& operator=(const KeyboardHook&) = delete;

  // 0, or the platform's error code when the system refused the hook.
  DWORD install();
  void uninstall();
  bool installed() const { return handle_ != nullptr; }

  // On the one-second timer: the system removes a hook that once failed to
  // answer in time without telling anyone; input the hook never saw means
  // it is gone, and it is put back.
  void checkStillInstalled();

 private:
  static LRESULT CALLBACK hookProc(int code, WPARAM message, LPARAM data);

  static std::atomic<KeyboardHook*> active_;
  HotKeyHook& hook_;
  LogSink& log_;
  HHOOK handle_ = nullptr;
  HookWatchdog watchdog_;
};

}  // namespace tolvane::win32
