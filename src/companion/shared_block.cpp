#include "companion/shared_block.h"

#include "platform/win32/common/wide.h"
#include "protocol/kernel_objects.h"

namespace tolvane::companion {
namespace {

// One copy for every process: the section is mapped shared, and constinit
// keeps the CRT from re-running a constructor over it at each load.
constinit protocol::SharedCommandBlock block __attribute__((section(".tolvShr"), shared));

std::atomic<HANDLE> blockMutex{nullptr};

}  // namespace

protocol::SharedCommandBlock& sharedBlock() { return block; }

void openBlockMutex() {
  if (!blockMutex.load()) blockMutex = CreateMutexW(nullptr, FALSE, win32::toWide(protocol::kBlockMutexName).c_str());
}

void closeBlockMutex() { takeAndClose(blockMutex); }

void takeAndClose(std::atomic<HANDLE>& slot) {
  if (HANDLE handle = slot.exchange(nullptr)) CloseHandle(handle);
}

BlockTextLock::BlockTextLock() : mutex_(blockMutex.load()) {
  if (!mutex_) return;
  // An abandoned mutex is ours now; its owner died between two copies,
  // which leaves every field terminated.
  const DWORD wait = WaitForSingleObject(mutex_, protocol::kBlockMutexWaitMs);
  held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

BlockTextLock::~BlockTextLock() {
  if (held_) ReleaseMutex(mutex_);
}

}  // namespace tolvane::companion
