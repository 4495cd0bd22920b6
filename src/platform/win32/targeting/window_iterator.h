#pragma once
// Collecting top-level windows in one EnumWindows pass. At most 1024
// handles are kept; windows beyond that are dropped.

#include <windows.h>

#include <array>
#include <cstddef>

namespace tolvane::win32 {

class CWindowIterator {
 public:
  static constexpr std::size_t kCapacity = 1024;

  CWindowIterator() = default;
  virtual ~CWindowIterator() = default;
  CWindowIterator(const CWindowIterator&) = delete;
  CWindowIterator& operator=(const CWindowIterator&) = delete;

  // Runs the pass; returns the number of windows kept.
  std::size_t collect();

  std::size_t count() const { return count_; }
  HWND operator[](std::size_t index) const { return windows_[index]; }

 protected:
  // Called for each window; keeps it when the filter accepts it and there
  // is room. Always continues the enumeration.
  virtual BOOL onWindow(HWND window);
  virtual bool accepts(HWND window);

 private:
  static BOOL CALLBACK enumProc(HWND window, LPARAM self);

  std::array<HWND, kCapacity> windows_;
  std::size_t count_ = 0;
};

// The main windows of one process: visible or carrying a menu.
class CMainWindowIterator : public CWindowIterator {
 public:
  explicit CMainWindowIterator(DWORD processId) : processId_(processId) {}

 protected:
  bool accepts(HWND window) override;

 private:
  DWORD processId_;
};

}  // namespace tolvane::win32
