#include "platform/win32/sync/win32_sync.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"

namespace tolvane::win32 {
namespace {

class KernelEvent final : public Event {
 public:
  explicit KernelEvent(KernelHandle handle) : handle_(std::move(handle)) {}

  bool set() override { return SetEvent(handle_.get()) != FALSE; }
  bool reset() override { return ResetEvent(handle_.get()) != FALSE; }
  HANDLE handle() const { return handle_.get(); }

 private:
  KernelHandle handle_;
};

}  // namespace

std::shared_ptr<Event> Win32Sync::createEvent(std::u16string_view name, bool manualReset, bool initiallySet) {
  const std::wstring wideName = toWide(name);
  KernelHandle handle(CreateEventW(nullptr, manualReset, initiallySet, wideName.empty() ? nullptr : wideName.c_str()));
  if (!handle) return nullptr;
  return std::make_shared<KernelEvent>(std::move(handle));
}

WaitResult Win32Sync::wait(Event& event, std::uint32_t timeoutMs) {
  switch (WaitForSingleObject(static_cast<KernelEvent&>(event).handle(), timeoutMs)) {
    case WAIT_OBJECT_0:
      return WaitResult::Signaled;
    case WAIT_TIMEOUT:
      return WaitResult::TimedOut;
    default:
      return WaitResult::Failed;
  }
}

WaitAnyResult Win32Sync::waitAny(std::span<Event* const> events, std::uint32_t timeoutMs) {
  std::vector<HANDLE> handles;
  handles.reserve(events.size());
  for (Event* event : events) handles.push_back(static_cast<KernelEvent*>(event)->handle());
  if (handles.empty() || handles.size() > MAXIMUM_WAIT_OBJECTS) return {-2, ERROR_INVALID_PARAMETER};
  const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, timeoutMs);
  if (result < WAIT_OBJECT_0 + handles.size()) return {static_cast<int>(result - WAIT_OBJECT_0)};
  if (result == WAIT_TIMEOUT) return {-1};
  return {-2, static_cast<std::uint32_t>(GetLastError())};
}

void Win32Sync::sleep(std::uint32_t ms) { Sleep(ms); }

}  // namespace tolvane::win32
