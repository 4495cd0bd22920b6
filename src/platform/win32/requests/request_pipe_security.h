#pragma once
// Who may use the request pipe: its session's name, a security descriptor
// that lets only the current user in, and the checks a requester makes
// before it trusts a pipe or starts Tolvane.

#include <windows.h>

#include <string>

namespace tolvane::win32 {

// The request pipe of this process's Windows session.
std::wstring thisSessionRequestPipe();

// A logged-on user's own desktop: a session other than the services' one,
// on the visible window station. A task that runs whether the user is
// logged on or not has neither.
bool isInteractiveSession();

// Owned by the current user, who alone has access: an elevated Tolvane
// would otherwise give the pipe to the Administrators group.
class UserOnlySecurity {
 public:
  UserOnlySecurity();
  ~UserOnlySecurity();
  UserOnlySecurity(const UserOnlySecurity&) = delete;
  UserOnlySecurity& operator=(const UserOnlySecurity&) = delete;

  // Null when the descriptor could not be made; nothing is created then.
  SECURITY_ATTRIBUTES* attributes() { return descriptor_ ? &attributes_ : nullptr; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

// Whether the kernel object (the pipe a requester opened) is owned by the
// current user: another user's process could have made a pipe of that name.
bool ownedByCurrentUser(HANDLE object);

}  // namespace tolvane::win32
