#pragma once
// Key display names for tests: the portable names, and a record of every
// key asked for.

#include <cstdint>
#include <vector>

#include "platform/key_names.h"

namespace tolvane::test {

class FakeKeyNames : public KeyNames {
 public:
  std::u16string keyName(std::uint16_t hotKeyControlValue) override;

  const std::vector<std::uint16_t>& asked() const { return asked_; }

 private:
  std::vector<std::uint16_t> asked_;
};

}  // namespace tolvane::test
