#include "support/fake_key_names.h"

namespace tolvane::test {

std::u16string FakeKeyNames::keyName(std::uint16_t hotKeyControlValue) {
  asked_.push_back(hotKeyControlValue);
  return portableKeyName(hotKeyControlValue);
}

}  // namespace tolvane::test
