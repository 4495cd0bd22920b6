#include "shell/hotkeys/hot_key_runtime.h"

#include "base/format.h"
#include "engine/hotkeys/chore_thread.h"
#include "platform/win32/sync/worker_threads.h"

namespace tolvane::win32 {

namespace {

constexpr DWORD kChoreThreadGraceMs = 2000;

}  // namespace

HotKeyRuntime::HotKeyRuntime(HotKeyRuntimeServices services)
    : s_(std::move(services)),
      slot_(s_.choreEvent, s_.schedulerEvent),
      launcher_(s_.library, s_.sync, s_.log),
      hook_(HotKeyHookServices{s_.library, slot_, launcher_, capture_, s_.sounds, s_.log, s_.windows,
                               [this](bool enabled) {
                                 if (showHotKeysOn_) showHotKeysOn_(enabled);
                               }}),
      executor_(ExecutorServices{s_.log, s_.shell, s_.desktop, s_.windows, s_.keyboard, s_.clipboard, s_.sounds,
                                 s_.prompts, s_.sync, s_.accessibility, s_.processes, s_.registry, s_.companion,
                                 [this] {
                                   std::function<void()> startWatch;
                                   {
                                     std::scoped_lock lock(startWatchMutex_);
                                     startWatch = startWatch_;
                                   }
                                   if (startWatch) startWatch();
                                 },
                                 hook_.processingEnabled(), lastFolder_, mainWindow_}),
      keyboardHook_(hook_, s_.log) {}

HotKeyRuntime::~HotKeyRuntime() {
  keyboardHook_.uninstall();
  // The chore thread uses this object. Its owner waits for it first
  // (endChoreThread); this wait only covers an owner that did not.
  endChoreThread(kChoreThreadGraceMs);
}

void HotKeyRuntime::attachWindow(HWND mainWindow, std::function<void(bool)> showHotKeysOn) {
  mainWindow_ = reinterpret_cast<WindowHandle>(mainWindow);
  showHotKeysOn_ = std::move(showHotKeysOn);
}

bool HotKeyRuntime::startChoreThread() {
  if (choreThread_) return true;
  int error = 0;
  choreThread_ = startWorkerThread(
      [this] { choreThreadProc(slot_, s_.sync, s_.log, [this](const Chore& chore) { return executor_.executeChore(chore); }); },
      error);
  if (!choreThread_) s_.log.debug(formatText(u"Chore thread not started; errno= %d", error));
  return static_cast<bool>(choreThread_);
}

bool HotKeyRuntime::runChore(std::u16string_view name) {
  const Chore chore = s_.library.copyChore(name);
  return chore.isFound() && runChore(chore);
}

bool HotKeyRuntime::runChore(const Chore& chore) {
  if (!choreThread_) return false;
  slot_.runChore(chore);
  return true;
}

void HotKeyRuntime::requestExit() { slot_.requestExit(); }

bool HotKeyRuntime::endChoreThread(std::uint32_t waitMs) {
  if (!choreThread_) return true;
  requestExit();
  return WaitForSingleObject(choreThread_.get(), waitMs) == WAIT_OBJECT_0;
}

}  // namespace tolvane::win32
