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
  switch (requestPrimaryNavigation()) {
    case PrimaryNavigation::Requested:
      break;
    case PrimaryNavigation::NoPrimary:
      bhoLog(0, u"gotoFolder ignored; no Explorer window has been sited.");
      break;
    case PrimaryNavigation::OtherProcess:
      bhoLog(0, u"gotoFolder ignored; the primary Explorer window lives in another process.");
      break;
    case PrimaryNavigation::WindowClosed:
      bhoLog(0, u"gotoFolder ignored; the primary Explorer window has closed.");
      break;
    case PrimaryNavigation::NotPosted:
      bhoLog(GetLastError(), u"gotoFolder could not reach the Explorer window; errCode: ");
      break;
  }
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
  block.cmdEvent = nullptr;
  CloseHandle(event);
  storeShared(block.hstCommand, u"");
  block.bhoUp = false;
  bhoLog(0, u"...exiting cmdThread...");
  // The thread holds its own reference on the library, so its code stays
  // mapped until this very call has left it.
  FreeLibraryAndExitThread(processState().module, kThreadExitCode);
  return kThreadExitCode;
}

}  // namespace

void startCommandThreadIfNone() {
  auto& block = sharedBlock();
  const ProcessState& self = processState();
  if (block.cmdThreadHandle.load()) return;
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, win32::toWide(protocol::kCmdEventName).c_str());
  if (!event) {
    bhoLog(GetLastError(), u"cmdThread not created; CreateEvent failed; errCode: ");
    return;
  }
  // Pin the library for the thread's lifetime: a FreeLibrary by the host
  // must not unmap code the thread is running.
  HMODULE pinned = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&cmdThread), &pinned)) {
    bhoLog(GetLastError(), u"cmdThread not created; library reference failed; errCode: ");
    CloseHandle(event);
    return;
  }
  block.cmdEvent = event;
  bhoLog(moduleValue(), formatText(u" loadCount=1; cmdThread created in %s, uProcId=%08.8x, hModule=", self.hostPath,
                                   self.uProcId));
  block.cmdThreadProcId = self.uProcId;
  HANDLE thread = CreateThread(nullptr, 0, cmdThread, event, 0, nullptr);
  if (!thread) {
    bhoLog(GetLastError(), u"cmdThread not created; CreateThread failed; errCode: ");
    block.cmdEvent = nullptr;
    block.cmdThreadProcId = 0;
    CloseHandle(event);
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
  if (HANDLE thread = block.cmdThreadHandle.exchange(nullptr)) CloseHandle(thread);
  // The thread did not get to clean up after itself when the process ended
  // under it.
  if (HANDLE stale = block.cmdEvent.exchange(nullptr)) CloseHandle(stale);
  block.folderWatch = false;
  if (loadShared(block.hstCommand) == protocol::kCloseShop) storeShared(block.hstCommand, u"");
  block.cmdThreadProcId = 0;
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
