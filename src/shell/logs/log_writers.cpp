#include "shell/logs/log_writers.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"
#include "protocol/debug_log_format.h"
#include "protocol/exports.h"
#include "protocol/kernel_objects.h"

namespace tolvane::win32 {

NamedMutexLock::~NamedMutexLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool NamedMutexLock::create(std::u16string_view name) {
  if (!mutex_) mutex_ = CreateMutexW(nullptr, FALSE, toWide(name).c_str());
  return mutex_ != nullptr;
}

bool NamedMutexLock::acquire(std::uint32_t timeoutMs, std::uint32_t& waitResult) {
  if (!mutex_) {
    waitResult = WAIT_FAILED;
    return false;
  }
  waitResult = WaitForSingleObject(mutex_, timeoutMs);
  // An abandoned mutex is owned all the same; its last owner died mid-line.
  return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED;
}

void NamedMutexLock::release() {
  if (mutex_) ReleaseMutex(mutex_);
}

namespace {

int ansiLength(const std::wstring& wide, std::size_t count) {
  return WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), nullptr, 0, nullptr, nullptr);
}

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::string ansiLogBytes(std::u16string_view text) {
  const std::wstring wide = toWide(text);
  std::size_t count = std::min(wide.size(), protocol::kLogLineBytes);
  // Code pages with two-byte characters need a shorter cut.
  while (count > 0 && ansiLength(wide, count) > static_cast<int>(protocol::kLogLineBytes)) --count;
  if (count > 0 && count < wide.size() && isHighSurrogate(wide[count - 1])) --count;
  std::string bytes(protocol::kLogLineBytes, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return bytes;
}

void AppendedLogFile::append(std::u16string_view text) {
  std::uint32_t waitResult = 0;
  if (!mutex_.acquire(protocol::kLogMutexWaitMs, waitResult)) return;
  HANDLE file = CreateFileW(toWide(path_).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const std::string bytes = ansiLogBytes(text);
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  mutex_.release();
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
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0) return {};
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return {};
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path, 0, size, data.data())) return {};
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
      infoSize < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  return protocol::versionText(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::u16string companionVersionText() {
  HMODULE module = GetModuleHandleW(toWide(protocol::kCompanionFileName).c_str());
  if (!module) return protocol::kVersionNotFound;
  return versionText(module);
}

}  // namespace tolvane::win32
