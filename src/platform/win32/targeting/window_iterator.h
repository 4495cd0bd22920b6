#pragma once
// Collecting top-level windows. At most 1024 handles are kept per
// iterator; windows beyond that are dropped.

#include <windows.h>

#include <array>
#include <cstddef>
#include <vector>

namespace tolvane::win32 {

// Every top-level window with the process that owns it, from one
// EnumWindows pass, in Z order. Enumerating the main windows of all
// processes filters this once-taken list instead of asking the system for
// every window again per process.
class TopLevelWindows {
 public:
  struct Entry {
    HWND window;
    DWORD processId;
  };

  void take();
  const std::vector<Entry>& entries() const { return entries_; }
  bool ownsAny(DWORD processId) const;

 private:
  static BOOL CALLBACK enumProc(HWND window, LPARAM self);

  std::vector<Entry> entries_;
};

class CWindowIterator {
 public:
  static constexpr std::size_t kCapacity = 1024;

  CWindowIterator() = default;
  virtual ~CWindowIterator() = default;
  CWindowIterator(const CWindowIterator&) = delete;
  CWindowIterator& operator=(const CWindowIterator&) = delete;

  // Runs one EnumWindows pass; returns the number of windows kept.
  std::size_t collect();
  // The same over windows already enumerated, in their order.
  std::size_t collect(const TopLevelWindows& windows);

  std::size_t count() const { return count_; }
  HWND operator[](std::size_t index) const { return windows_[index]; }

 protected:
  virtual bool accepts(HWND window, DWORD processId);

 private:
  static BOOL CALLBACK enumProc(HWND window, LPARAM self);
  // Keeps the window when the filter accepts it and there is room.
  void onWindow(HWND window, DWORD processId);

  std::array<HWND, kCapacity> windows_;
  std::size_t count_ = 0;
};

// The main windows of one process: visible or carrying a menu.
class CMainWindowIterator : public CWindowIterator {
 public:
  explicit CMainWindowIterator(DWORD processId) : processId_(processId) {}

 protected:
  bool accepts(HWND window, DWORD processId) override;

 private:
  DWORD processId_;
};

}  // namespace tolvane::win32
