#include "platform/win32/targeting/foreground.h"

namespace tolvane::win32 {

namespace {

constexpr DWORD kSettleMs = 300;

// Joins two threads' input queues for the lifetime of the object, so that
// the foreground may pass between them.
class InputAttachment {
 public:
  InputAttachment(DWORD from, DWORD to) : from_(from), to_(to) {
    attached_ = from != 0 && to != 0 && from != to && AttachThreadInput(from, to, TRUE);
  }
  ~InputAttachment() {
    if (attached_) AttachThreadInput(from_, to_, FALSE);
  }
  InputAttachment(const InputAttachment&) = delete;
  InputAttachment& operator=(const InputAttachment&) = delete;

 private:
  DWORD from_;
  DWORD to_;
  bool attached_ = false;
};

// The system refuses foreground changes for a while after user input unless
// this time-out is 0; it is lifted for the call only, not saved to the profile.
class ForegroundLockLifted {
 public:
  ForegroundLockLifted() {
    if (SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved_, 0) && saved_ != 0) {
      SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    }
  }
  ~ForegroundLockLifted() {
    if (saved_ != 0) {
      SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(saved_)), 0);
    }
  }
  ForegroundLockLifted(const ForegroundLockLifted&) = delete;
  ForegroundLockLifted& operator=(const ForegroundLockLifted&) = delete;

 private:
  DWORD saved_ = 0;
};

}  // namespace

bool bringToForeground(HWND window) {
  bool done = false;
  {
    ForegroundLockLifted lockLifted;
    HWND foreground = GetForegroundWindow();
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const DWORD ownThread = GetCurrentThreadId();
    const DWORD targetThread = GetWindowThreadProcessId(window, nullptr);
    InputAttachment ownToForeground(ownThread, foregroundThread);
    InputAttachment foregroundToTarget(foregroundThread, targetThread);

    // A minimised window keeps its pop-ups hidden, so the window itself is
    // restored before its last active pop-up is brought forward.
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    HWND popup = GetLastActivePopup(window);
    if (!popup) popup = window;
    if (IsIconic(popup)) ShowWindow(popup, SW_RESTORE);
    done = SetForegroundWindow(popup) != FALSE;
  }
  Sleep(kSettleMs);
  return done;
}

}  // namespace tolvane::win32
