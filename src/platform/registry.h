#pragma once
// Named values under registry keys. The settings store, the auto-start
// entry and the password-manager check read and write through this; the
// Win32 implementation is the real registry, tests use a fake.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

enum class KeyCreation { CreateIfMissing, OnlyIfExists };

// A string value with its environment variables expanded.
struct ExpandedValue {
  // None when the key or the value is missing or not a string.
  std::optional<std::u16string> value;
  // The platform's code when the key could not be opened; 0 when it could.
  std::uint32_t keyError = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // True when the key can be opened for reading.
  virtual bool keyExists(RegistryRoot root, std::u16string_view key) = 0;

  // A REG_DWORD value; none when the key or value is missing or of
  // another type.
  virtual std::optional<std::uint32_t> readDword(RegistryRoot root, std::u16string_view key,
                                                 std::u16string_view name) = 0;

  // A REG_SZ (or REG_EXPAND_SZ, unexpanded) value of any length, up to its
  // first terminator; none when missing or of another type.
  virtual std::optional<std::u16string> readString(RegistryRoot root, std::u16string_view key,
                                                   std::u16string_view name) = 0;

  virtual bool writeDword(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                          std::uint32_t value, KeyCreation creation) = 0;
  virtual bool writeString(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                           std::u16string_view value, KeyCreation creation) = 0;

  // Deleting a value that is not there counts as success.
  virtual bool deleteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) = 0;

  // A REG_SZ or REG_EXPAND_SZ value with "%NAME%" replaced by the
  // process's environment, as the shell's folders are kept.
  virtual ExpandedValue readExpandedString(RegistryRoot root, std::u16string_view key, std::u16string_view name) = 0;
};

}  // namespace tolvane
