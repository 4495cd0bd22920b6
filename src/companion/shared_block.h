#pragma once
// Access to the one SharedCommandBlock of all processes that load the
// library. Texts are copied under a named mutex so that no reader meets a
// text another process is rewriting.

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>

#include "protocol/block_text.h"
#include "protocol/shared_command_block.h"

namespace tolvane::companion {

protocol::SharedCommandBlock& sharedBlock();

// Opened at attach, closed at detach, per process.
void openBlockMutex();
void closeBlockMutex();

// Empties the slot and closes the handle it held, once, whichever thread
// gets there first. A handle in the shared block is valid only in the
// process that stored it: the caller makes sure that is this one.
void takeAndClose(std::atomic<HANDLE>& slot);

class BlockTextLock {
 public:
  BlockTextLock();
  ~BlockTextLock();
  BlockTextLock(const BlockTextLock&) = delete;
  BlockTextLock& operator=(const BlockTextLock&) = delete;
  // False when the mutex could not be taken in time; the copy is skipped.
  bool held() const { return held_; }

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};

// Both return false when the lock could not be taken; `store` also when
// the text was cut to the field's capacity.
template <std::size_t N>
bool storeShared(char16_t (&field)[N], std::u16string_view text) {
  BlockTextLock lock;
  if (!lock.held()) return false;
  return protocol::storeBlockText(field, text);
}

template <std::size_t N>
std::u16string loadShared(const char16_t (&field)[N]) {
  BlockTextLock lock;
  if (!lock.held()) return {};
  return protocol::loadBlockText(field);
}

template <std::size_t N>
void copySharedOut(const char16_t (&field)[N], char16_t* buffer) {
  if (!buffer) return;
  BlockTextLock lock;
  if (!lock.held()) {
    buffer[0] = u'\0';
    return;
  }
  protocol::copyBlockTextOut(field, buffer);
}

}  // namespace tolvane::companion
