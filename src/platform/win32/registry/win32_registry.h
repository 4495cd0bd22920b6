#pragma once
// The real registry behind the Registry interface.

#include "platform/registry.h"

namespace tolvane::win32 {

class Win32Registry final : public Registry {
 public:
  bool keyExists(RegistryRoot root, std::u16string_view key) override;
  std::optional<std::uint32_t> readDword(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;
  std::optional<std::u16string> readString(RegistryRoot root, std::u16string_view key,
                                           std::u16string_view name) override;
  bool writeDword(RegistryRoot root, std::u16string_view key, std::u16string_view name, std::uint32_t value,
                  KeyCreation creation) override;
  bool writeString(RegistryRoot root, std::u16string_view key, std::u16string_view name, std::u16string_view value,
                   KeyCreation creation) override;
  bool deleteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;
  ExpandedValue readExpandedString(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;
};

}  // namespace tolvane::win32
