#include "platform/win32/requests/request_pipe_security.h"

#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"
#include "protocol/request_message.h"

namespace tolvane::win32 {

namespace {

// The TOKEN_USER of this process; empty when it cannot be read.
std::vector<BYTE> currentUser() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  const KernelHandle owned(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) return {};
  return user;
}

PSID userSid(std::vector<BYTE>& user) {
  return user.empty() ? nullptr : reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

}  // namespace

std::wstring thisSessionRequestPipe() {
  DWORD session = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &session);
  return toWide(requestPipeName(session));
}

bool isInteractiveSession() {
  DWORD session = 0;
  if (!ProcessIdToSessionId(GetCurrentProcessId(), &session) || session == 0) return false;
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  HWINSTA station = GetProcessWindowStation();
  return station && GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), &needed) &&
         (flags.dwFlags & WSF_VISIBLE) != 0;
}

UserOnlySecurity::UserOnlySecurity() {
  std::vector<BYTE> user = currentUser();
  LPWSTR sid = nullptr;
  if (!userSid(user) || !ConvertSidToStringSidW(userSid(user), &sid)) return;
  // Owner, and a protected list that grants the user everything and
  // nobody else anything.
  const std::wstring sddl = std::wstring(L"O:") + sid + L"D:P(A;;GA;;;" + sid + L")";
  LocalFree(sid);
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor_, nullptr)) {
    descriptor_ = nullptr;
    return;
  }
  attributes_ = SECURITY_ATTRIBUTES{sizeof(attributes_), descriptor_, FALSE};
}

UserOnlySecurity::~UserOnlySecurity() {
  if (descriptor_) LocalFree(descriptor_);
}

bool ownedByCurrentUser(HANDLE object) {
  std::vector<BYTE> user = currentUser();
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!userSid(user) || GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  const bool same = owner && EqualSid(owner, userSid(user));
  LocalFree(descriptor);
  return same;
}

}  // namespace tolvane::win32
