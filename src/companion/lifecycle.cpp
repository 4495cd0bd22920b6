#include "companion/lifecycle.h"

#include "base/format.h"
#include "companion/bho_log.h"
#include "companion/command_thread.h"
#include "companion/exp_watch.h"
#include "companion/process_state.h"
#include "companion/shared_block.h"

namespace tolvane::companion {
namespace {

void resetWhenLastHostLeaves() {
  auto& block = sharedBlock();
  const ProcessState& self = processState();
  block.instCount = 0;
  block.primaryBho = nullptr;
  block.primaryBhoProcId = 0;
  block.folderWatch = false;
  storeShared(block.hstCommand, u"");
  block.bhoUp = false;
  // A thread handle is only this process's to close.
  if (hostsCommandThread()) takeAndClose(block.cmdThreadHandle);
  bhoLog(moduleValue(),
         formatText(u" loadCount is 0; Closing up shop in DLL_PROCESS_DETACH for uProcId=%08.8x, hModule=", self.uProcId));
}

}  // namespace

bool onProcessAttach(HMODULE module) {
  ProcessState& self = processState();
  auto& block = sharedBlock();
  self.module = module;
  self.hostPath = readHostPath();
  self.uProcId = GetCurrentProcessId();
  self.startTime = processStartTime(GetCurrentProcess());
  self.kind = classifyHost(self.hostPath);
  if (self.kind == HostKind::InternetExplorer) return false;

  openDebugMutex();
  openBlockMutex();
  switch (self.kind) {
    case HostKind::MainProgram:
      block.bTolvaneLoaded = true;
      bhoLog(moduleValue(), formatText(u" loaded by the Tolvane; uProcId=%08.8x, loadCount=%d, hModule=", self.uProcId,
                                       block.loadCount.load()));
      break;
    case HostKind::Keyrune:
      bhoLog(moduleValue(), formatText(u" loaded by Keyrune+; uProcId=%08.8x, loadCount=%d, hModule=", self.uProcId,
                                       block.loadCount.load()));
      break;
    case HostKind::Other:
    case HostKind::InternetExplorer:
      if (!block.bTolvaneLoaded.load()) {
        bhoLog(0, formatText(u" rejected load by %s, bTolvaneLoaded=", self.hostPath));
        closeBlockMutex();
        closeDebugMutex();
        return false;
      }
      break;
  }
  self.accepted = true;
  if (isCountedHost(self.kind)) ++block.loadCount;
  bhoLog(moduleValue(), formatText(u" loaded by %s; uProcId=%08.8x, loadCount=%d, hModule=", self.hostPath,
                                   self.uProcId, block.loadCount.load()));
  if (isExplorerHost(self.hostPath)) {
    startCommandThreadIfNone();
  } else {
    forgetCommandThreadOfEndedProcess();
  }
  return true;
}

void onProcessDetach(bool processTerminating) {
  ProcessState& self = processState();
  // A refused attach changed nothing shared, so its detach undoes nothing.
  if (!self.accepted) return;
  auto& block = sharedBlock();
  bhoLog(moduleValue(), formatText(u" in DLL_PROCESS_DETACH for uProcId=%08.8x, loadCount=%d, hModule=", self.uProcId,
                                   block.loadCount.load()));
  if (hostsCommandThread()) shutDownCommandThread(processTerminating);
  if (self.kind == HostKind::MainProgram) block.bTolvaneLoaded = false;
  if (isCountedHost(self.kind) && --block.loadCount == 0) resetWhenLastHostLeaves();
  self.accepted = false;
  if (!processTerminating) unregisterNavigationWindowClass();
  closeBlockMutex();
  closeDebugMutex();
}

}  // namespace tolvane::companion
