#include "companion/command_thread.h"

#include "base/format.h"
#include "companion/bho_log.h"
#include "companion/navigation.h"
#include "companion/process_state.h"
#include "companion/shared_block.h"
#include "platform/win32/common/wide.h"
#include "protocol/command_words.h"
#include "protocol/kernel_objects.h"

namespace tolvane::companion {
namespace {

constexpr DWORD kThreadExitCode = 56;

void gotoFolder() {
  const NavigationRequest request = requestNavigation();
  if (request == NavigationRequest::Posted) return;
  if (request == NavigationRequest::NotPosted) {
    bhoLog(GetLastError(), u"gotoFolder could not reach the Explorer window; errCode: ");
  } else {
    bhoLog(0, u"gotoFolder not carried out; no Explorer window of this process is open.");
  }
  // The main program reads this once the command is cleared: a companion
  // that claimed to be up would have it report a folder as opened that no
  // window shows. It opens the folder through the shell instead.
  sharedBlock().bhoUp = false;
}

void actOn(const std::u16string& command) {
  auto& block = sharedBlock();
  switch (protocol::parseHostCommand(command)) {
    case protocol::HostCommand::StartFolderWatch:
      bhoLog(0, u"processing STARTFOLDERWATCH cmd.");
      block.folderWatch = true;
      break;
    case protocol::HostCommand::StopFolderWatch:
      bhoLog(0, u"processing STOPFOLDERWATCH cmd.");
      block.folderWatch = false;
      break;
    case protocol::HostCommand::GotoFolder:
      bhoLog(0, u"processing GOTOFOLDER cmd.");
      gotoFolder();
      break;
    case protocol::HostCommand::Ping:
      bhoLog(0, u"processing Ping cmd.");
      break;
    case protocol::HostCommand::DebugLogOn:
      block.debugLogging = true;
      bhoLog(0, u"processing DEBUGLOG cmd.");
      break;
    case protocol::HostCommand::DebugLogOff:
      if (block.debugLogging.load()) {
        bhoLog(0, u"processing NODEBUGLOG cmd.");
        block.debugLogging = false;
      }
      break;
    case protocol::HostCommand::CloseShop:
    case protocol::HostCommand::Unknown:
      bhoLog(0, formatText(u"Unknown command: %s", command));
      break;
  }
}

DWORD WINAPI cmdThread(void* event) {
  auto& block = sharedBlock();
  bhoLog(0, u"...entering cmdThread...");
  block.bhoUp = true;
  WaitForSingleObject(event, INFINITE);
  for (std::u16string command = loadShared(block.hstCommand); command != protocol::kCloseShop;
       command = loadShared(block.hstCommand)) {
    actOn(command);
    storeShared(block.hstCommand, u"");
    WaitForSingleObject(event, INFINITE);
  }
  bhoLog(0, u"processing CLOSESHOP cmd.");
  block.folderWatch = false;
  takeAndClose(block.cmdEvent);
  storeShared(block.hstCommand, u"");
  block.bhoUp = false;
  bhoLog(0, u"...exiting cmdThread...");
  // The thread holds its own reference on the library, so its code stays
  // mapped until this very call has left it.
  FreeLibraryAndExitThread(processState().module, kThreadExitCode);
  return kThreadExitCode;
}

}  // namespace

bool hostsCommandThread() {
  const auto& block = sharedBlock();
  const ProcessState& self = processState();
  return block.cmdThreadHandle.load() && block.cmdThreadProcId.load() == self.uProcId &&
         block.cmdThreadProcStart.load() == self.startTime;
}

void forgetCommandThreadOfEndedProcess() {
  auto& block = sharedBlock();
  // The block lock makes the test and the clearing one step for all
  // processes, so the state is forgotten, and the count taken back, once.
  BlockTextLock lock;
  if (!lock.held() || !block.cmdThreadHandle.load() || hostsCommandThread()) return;
  const std::uint32_t ended = block.cmdThreadProcId.load();
  if (!processHasEnded(ended, block.cmdThreadProcStart.load())) return;
  block.cmdThreadHandle = nullptr;
  block.cmdEvent = nullptr;
  block.cmdThreadProcId = 0;
  block.cmdThreadProcStart = 0;
  block.bhoUp = false;
  block.instCount = 0;
  block.primaryBho = nullptr;
  block.primaryBhoProcId = 0;
  block.folderWatch = false;
  std::int32_t count = block.loadCount.load();
  while (count > 0 && !block.loadCount.compare_exchange_weak(count, count - 1)) {
  }
  if (count == 1) storeShared(block.hstCommand, u"");
  bhoLog(0, formatText(u" cmdThread of ended uProcId=%08.8x forgotten by uProcId=%08.8x, loadCount=%d", ended,
                       processState().uProcId, block.loadCount.load()));
}

void startCommandThreadIfNone() {
  auto& block = sharedBlock();
  const ProcessState& self = processState();
  forgetCommandThreadOfEndedProcess();
  // Two Explorers attaching at once must not both start a thread.
  BlockTextLock lock;
  if (block.cmdThreadHandle.load()) return;
  // Pin the library for the thread's lifetime: a FreeLibrary by the host
  // must not unmap code the thread is running.
  HMODULE pinned = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&cmdThread), &pinned)) {
    bhoLog(GetLastError(), u"cmdThread not created; library reference failed; errCode: ");
    return;
  }
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, win32::toWide(protocol::kCmdEventName).c_str());
  if (!event) {
    bhoLog(GetLastError(), u"cmdThread not created; CreateEvent failed; errCode: ");
    FreeLibrary(pinned);
    return;
  }
  block.cmdEvent = event;
  bhoLog(moduleValue(), formatText(u" loadCount=1; cmdThread created in %s, uProcId=%08.8x, hModule=", self.hostPath,
                                   self.uProcId));
  block.cmdThreadProcId = self.uProcId;
  block.cmdThreadProcStart = self.startTime;
  HANDLE thread = CreateThread(nullptr, 0, cmdThread, event, 0, nullptr);
  if (!thread) {
    bhoLog(GetLastError(), u"cmdThread not created; CreateThread failed; errCode: ");
    takeAndClose(block.cmdEvent);
    block.cmdThreadProcId = 0;
    block.cmdThreadProcStart = 0;
    FreeLibrary(pinned);
    return;
  }
  block.cmdThreadHandle = thread;
}

void shutDownCommandThread(bool processTerminating) {
  auto& block = sharedBlock();
  const ProcessState& self = processState();
  HANDLE event = block.cmdEvent.load();
  storeShared(block.hstCommand, protocol::kCloseShop);
  if (event) SetEvent(event);
  // At process end the platform has already stopped the thread; on a
  // FreeLibrary the thread's own reference guarantees it has ended.
  if (!processTerminating) Sleep(70);
  block.bhoUp = false;
  block.instCount = 0;
  block.primaryBho = nullptr;
  block.primaryBhoProcId = 0;
  takeAndClose(block.cmdThreadHandle);
  // The thread did not get to clean up after itself when the process ended
  // under it.
  takeAndClose(block.cmdEvent);
  block.folderWatch = false;
  if (loadShared(block.hstCommand) == protocol::kCloseShop) storeShared(block.hstCommand, u"");
  block.cmdThreadProcId = 0;
  block.cmdThreadProcStart = 0;
  bhoLog(moduleValue(),
         formatText(u" sent CLOSESHOP event to cmdThread in DLL_PROCESS_DETACH for uProcId=%08.8x, loadCount=%d, hModule=",
                    self.uProcId, block.loadCount.load()));
}

BOOL bringBrowserToFront(HWND window) {
  if (GetWindowLongPtrW(window, GWL_STYLE) & WS_MINIMIZE) {
    ShowWindow(window, SW_RESTORE);
    UpdateWindow(window);
  }
  const BOOL result = SetForegroundWindow(window);
  InvalidateRect(window, nullptr, TRUE);
  return result;
}

}  // namespace tolvane::companion
