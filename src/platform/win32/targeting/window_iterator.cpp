#include "platform/win32/targeting/window_iterator.h"

namespace tolvane::win32 {

namespace {

DWORD ownerOf(HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner;
}

}  // namespace

void TopLevelWindows::take() {
  entries_.clear();
  EnumWindows(&TopLevelWindows::enumProc, reinterpret_cast<LPARAM>(this));
}

bool TopLevelWindows::ownsAny(DWORD processId) const {
  for (const Entry& entry : entries_) {
    if (entry.processId == processId) return true;
  }
  return false;
}

BOOL CALLBACK TopLevelWindows::enumProc(HWND window, LPARAM self) {
  reinterpret_cast<TopLevelWindows*>(self)->entries_.push_back({window, ownerOf(window)});
  return TRUE;
}

std::size_t CWindowIterator::collect() {
  count_ = 0;
  EnumWindows(&CWindowIterator::enumProc, reinterpret_cast<LPARAM>(this));
  return count_;
}

std::size_t CWindowIterator::collect(const TopLevelWindows& windows) {
  count_ = 0;
  for (const TopLevelWindows::Entry& entry : windows.entries()) onWindow(entry.window, entry.processId);
  return count_;
}

void CWindowIterator::onWindow(HWND window, DWORD processId) {
  if (count_ < kCapacity && accepts(window, processId)) windows_[count_++] = window;
}

bool CWindowIterator::accepts(HWND, DWORD) { return true; }

BOOL CALLBACK CWindowIterator::enumProc(HWND window, LPARAM self) {
  reinterpret_cast<CWindowIterator*>(self)->onWindow(window, ownerOf(window));
  return TRUE;
}

bool CMainWindowIterator::accepts(HWND window, DWORD processId) {
  if (processId != processId_) return false;
  return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0 || GetMenu(window) != nullptr;
}

}  // namespace tolvane::win32
