#pragma once
// Named kernel events, WaitForSingleObject/WaitForMultipleObjects and Sleep
// behind the Sync interface.

#include "platform/sync.h"

namespace tolvane::win32 {

class Win32Sync final : public Sync {
 public:
  std::shared_ptr<Event> createEvent(std::u16string_view name, bool manualReset, bool initiallySet) override;
  WaitResult wait(Event& event, std::uint32_t timeoutMs) override;
  WaitAnyResult waitAny(std::span<Event* const> events, std::uint32_t timeoutMs) override;
  void sleep(std::uint32_t ms) override;
};

}  // namespace tolvane::win32
