#include "platform/win32/targeting/window_iterator.h"

namespace tolvane::win32 {

std::size_t CWindowIterator::collect() {
  count_ = 0;
  EnumWindows(&CWindowIterator::enumProc, reinterpret_cast<LPARAM>(this));
  return count_;
}

BOOL CWindowIterator::onWindow(HWND window) {
  if (count_ < kCapacity && accepts(window)) windows_[count_++] = window;
  return TRUE;
}

bool CWindowIterator::accepts(HWND) { return true; }

BOOL CALLBACK CWindowIterator::enumProc(HWND window, LPARAM self) {
  return reinterpret_cast<CWindowIterator*>(self)->onWindow(window);
}

bool CMainWindowIterator::accepts(HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != processId_) return false;
  return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0 || GetMenu(window) != nullptr;
}

}  // namespace tolvane::win32
