#include "shell/hotkeys/hot_key_runtime.h"

#include <commctrl.h>

#include "base/format.h"
#include "engine/hotkeys/chore_thread.h"
#include "platform/win32/sync/worker_threads.h"

namespace tolvane::win32 {

namespace {

constexpr int kHotKeysButton = 1002;
constexpr DWORD kChoreThreadGraceMs = 2000;

}  // namespace

HotKeyRuntime::HotKeyRuntime(HotKeyRuntimeServices services)
    : s_(std::move(services)),
      mainWindow_(reinterpret_cast<WindowHandle>(s_.mainWindow)),
      slot_(s_.choreEvent, s_.schedulerEvent),
      launcher_(s_.library, s_.sync, s_.log),
      hook_(HotKeyHookServices{s_.library, slot_, launcher_, capture_, sounds_, s_.log, windows_,
                               [toolbar = s_.toolbar](bool enabled) {
                                 if (toolbar) SendMessageW(toolbar, TB_ENABLEBUTTON, kHotKeysButton, MAKELONG(enabled, 0));
                               }}),
      executor_(ExecutorServices{s_.log, shell_, desktop_, windows_, keyboard_, clipboard_, sounds_, ownerlessPrompts_,
                                 s_.sync, accessibility_, processes_, s_.registry, s_.companion,
                                 [this] {
                                   std::function<void()> startWatch;
                                   {
                                     std::scoped_lock lock(startWatchMutex_);
                                     startWatch = startWatch_;
                                   }
                                   if (startWatch) startWatch();
                                 },
                                 hook_.processingEnabled(), lastFolder_, mainWindow_}),
      keyboardHook_(hook_, s_.log) {
  shell_.setOwner(s_.mainWindow);
}

HotKeyRuntime::~HotKeyRuntime() {
  keyboardHook_.uninstall();
  // The chore thread uses this object. Its owner waits for it first
  // (endChoreThread); this wait only covers an owner that did not.
  endChoreThread(kChoreThreadGraceMs);
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
