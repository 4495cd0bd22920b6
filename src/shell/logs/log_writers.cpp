#include "shell/logs/log_writers.h"

#include <commctrl.h>

#include <optional>

#include "platform/win32/common/file_version.h"
#include "platform/win32/common/log_file.h"
#include "platform/win32/common/wide.h"
#include "protocol/debug_log_format.h"
#include "protocol/companion_entry_points.h"
#include "protocol/kernel_objects.h"

namespace tolvane::win32 {

bool NamedMutexLock::create(std::u16string_view name) {
  if (!mutex_) mutex_.reset(CreateMutexW(nullptr, FALSE, toWide(name).c_str()));
  return static_cast<bool>(mutex_);
}

bool NamedMutexLock::acquire(std::uint32_t timeoutMs, std::uint32_t& waitResult) {
  if (!mutex_) {
    waitResult = WAIT_FAILED;
    return false;
  }
  waitResult = WaitForSingleObject(mutex_.get(), timeoutMs);
  // An abandoned mutex is owned all the same; its last owner died mid-line.
  return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED;
}

void NamedMutexLock::release() {
  if (mutex_) ReleaseMutex(mutex_.get());
}

void AppendedLogFile::append(std::u16string_view text) {
  std::uint32_t waitResult = 0;
  if (!mutex_.acquire(protocol::kLogMutexWaitMs, waitResult)) return;
  appendLogText(path_, text);
  mutex_.release();
}

void DebugLogFile::append(std::u16string_view text) {
  std::uint32_t waitResult = 0;
  if (!mutex_.acquire(protocol::kLogMutexWaitMs, waitResult)) return;
  appendDebugLogText(places_, text);
  mutex_.release();
}

void DebugLogFile::remove() {
  // Under the mutex no append of either deliverable is halfway through;
  // when the mutex cannot be had, the files go all the same.
  std::uint32_t waitResult = 0;
  const bool locked = mutex_.acquire(protocol::kLogMutexWaitMs, waitResult);
  deleteDebugLogFiles(places_);
  if (locked) mutex_.release();
}

void ListActivityView::attach(HWND owner, HWND list) {
  bool queued = false;
  {
    std::scoped_lock lock(mutex_);
    owner_ = owner;
    list_ = list;
    queued = !pending_.empty();
  }
  // Rows written before the list existed show as soon as it does.
  if (owner && queued) PostMessageW(owner, kDrainMessage, 0, 0);
}

void ListActivityView::addRow(std::u16string_view time, std::u16string_view text, bool isError) {
  push({false, toWide(time), toWide(text), isError});
}

void ListActivityView::clearRows() { push({true, {}, {}, false}); }

void ListActivityView::push(Operation operation) {
  HWND owner = nullptr;
  {
    std::scoped_lock lock(mutex_);
    const bool wasEmpty = pending_.empty();
    pending_.push_back(std::move(operation));
    if (wasEmpty) owner = owner_;
  }
  if (owner) PostMessageW(owner, kDrainMessage, 0, 0);
}

void ListActivityView::drain() {
  std::deque<Operation> operations;
  HWND list = nullptr;
  {
    std::scoped_lock lock(mutex_);
    operations.swap(pending_);
    list = list_;
  }
  if (!list) return;
  for (Operation& operation : operations) {
    if (operation.clear) {
      ListView_DeleteAllItems(list);
      continue;
    }
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = operation.time.data();
    item.lParam = operation.isError ? 1 : 0;
    const int index = ListView_InsertItem(list, &item);
    if (index < 0) continue;
    ListView_SetItemText(list, index, 1, operation.text.data());
    ListView_EnsureVisible(list, index, FALSE);
  }
}

std::u16string versionText(HMODULE module) {
  const std::optional<FileVersion> version = readModuleVersion(module);
  return version ? protocol::versionText(version->mostSignificant, version->leastSignificant) : u"";
}

std::u16string companionVersionText() {
  HMODULE module = GetModuleHandleW(toWide(protocol::kCompanionFileName).c_str());
  if (!module) return protocol::kVersionNotFound;
  return versionText(module);
}

}  // namespace tolvane::win32
