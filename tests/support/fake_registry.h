#pragma once
// An in-memory registry that records the order of reads and writes.

#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace tolvane::test {

class FakeRegistry : public Registry {
 public:
  using Value = std::variant<std::uint32_t, std::u16string>;

  bool keyExists(RegistryRoot root, std::u16string_view key) override;
  std::optional<std::uint32_t> readDword(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;
  std::optional<std::u16string> readString(RegistryRoot root, std::u16string_view key,
                                           std::u16string_view name) override;
  bool writeDword(RegistryRoot root, std::u16string_view key, std::u16string_view name, std::uint32_t value,
                  KeyCreation creation) override;
  bool writeString(RegistryRoot root, std::u16string_view key, std::u16string_view name, std::u16string_view value,
                   KeyCreation creation) override;
  bool deleteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;
  // Expands from `environment`; a missing key fails with code 2.
  ExpandedValue readExpandedString(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;

  void addKey(RegistryRoot root, std::u16string_view key);
  // Strings under the key can no longer be written or deleted, as with a
  // key the user may not change.
  void makeReadOnly(RegistryRoot root, std::u16string_view key);
  void set(RegistryRoot root, std::u16string_view key, std::u16string_view name, Value value);
  const Value* find(RegistryRoot root, std::u16string_view key, std::u16string_view name) const;

  // The variables readExpandedString knows; others stay as written.
  std::map<std::u16string, std::u16string> environment;

  // Value names in the order they were read or written.
  std::vector<std::u16string> reads;
  std::vector<std::u16string> writes;

 private:
  using KeyId = std::pair<RegistryRoot, std::u16string>;
  bool isReadOnly(RegistryRoot root, std::u16string_view key) const;

  std::set<KeyId> keys_;
  std::set<KeyId> readOnly_;
  std::map<KeyId, std::map<std::u16string, Value>> values_;
};

}  // namespace tolvane::test
