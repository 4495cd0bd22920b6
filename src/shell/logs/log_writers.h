#pragma once
// The Win32 side of the main program's logs: the named mutexes, the
// appends to the two log files and the activity window's rows.

#include <windows.h>

#include <deque>
#include <mutex>
#include <string>

#include "engine/logs/log_outputs.h"
#include "engine/logs/log_switches.h"
#include "platform/win32/common/debug_log_file.h"
#include "platform/win32/common/owned_handle.h"

namespace tolvane::win32 {

// A named mutex, not owned at creation; opened by name when another
// process made it first.
class NamedMutexLock final : public LogLock {
 public:
  NamedMutexLock() = default;

  bool create(std::u16string_view name);
  HANDLE handle() const { return mutex_.get(); }

  bool acquire(std::uint32_t timeoutMs, std::uint32_t& waitResult) override;
  void release() override;

 private:
  KernelHandle mutex_;
};

// appendToLogFile on one file, under the debug mutex. Lines that cannot be
// written (mutex not had within 3 s, file not openable) are dropped.
class AppendedLogFile final : public LogFile {
 public:
  AppendedLogFile(std::u16string path, NamedMutexLock& debugMutex) : path_(std::move(path)), mutex_(debugMutex) {}
  void append(std::u16string_view text) override;

 private:
  std::u16string path_;
  NamedMutexLock& mutex_;
};

// The shared debug log, where this user can write it (see
// platform/win32/common/debug_log_file.h), under the debug mutex.
class DebugLogFile final : public LogFile {
 public:
  explicit DebugLogFile(NamedMutexLock& debugMutex) : places_(debugLogPlaces()), mutex_(debugMutex) {}
  void append(std::u16string_view text) override;
  // "Delete the debug log file": whichever place is in use. A deletion
  // that fails is not reported.
  void remove();

 private:
  DebugLogPlaces places_;
  NamedMutexLock& mutex_;
};

// Rows for the activity list. Any thread may add them; they are queued and
// the window's own thread puts them in the list when it gets `message`, so
// a worker that holds the activity mutex never waits for the window.
class ListActivityView final : public ActivityView {
 public:
  static constexpr UINT kDrainMessage = WM_APP + 56;

  void attach(HWND owner, HWND list);
  void addRow(std::u16string_view time, std::u16string_view text, bool isError) override;
  void clearRows() override;

  // On the window's thread: applies what was queued.
  void drain();

 private:
  struct Operation {
    bool clear = false;
    std::wstring time;
    std::wstring text;
    bool isError = false;
  };
  void push(Operation operation);

  std::mutex mutex_;
  std::deque<Operation> pending_;
  HWND owner_ = nullptr;
  HWND list_ = nullptr;
};

// "%d.%d Build %d" of a module's file version; empty without one.
std::u16string versionText(HMODULE module);
// The companion's text: "*NOT FOUND*" when it is not loaded here.
std::u16string companionVersionText();

}  // namespace tolvane::win32
