#include "platform/win32/registry/win32_registry.h"

#include <windows.h>

#include <vector>

#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

HKEY rootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      break;
  }
  return HKEY_CURRENT_USER;
}

// Owns one open key.
class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }

  // ERROR_SUCCESS, or why the key could not be opened.
  LONG openStatus(RegistryRoot root, std::u16string_view path, REGSAM access) {
    return RegOpenKeyExW(rootKey(root), toWide(path).c_str(), 0, access, &key_);
  }
  bool open(RegistryRoot root, std::u16string_view path, REGSAM access) {
    return openStatus(root, path, access) == ERROR_SUCCESS;
  }
  bool create(RegistryRoot root, std::u16string_view path) {
    return RegCreateKeyExW(rootKey(root), toWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                           nullptr, &key_, nullptr) == ERROR_SUCCESS;
  }
  bool openForWriting(RegistryRoot root, std::u16string_view path, KeyCreation creation) {
    return creation == KeyCreation::CreateIfMissing ? create(root, path) : open(root, path, KEY_WRITE);
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// A REG_SZ or REG_EXPAND_SZ value of an open key, as stored.
std::optional<std::u16string> stringValue(HKEY key, std::u16string_view name) {
  const std::wstring valueName = toWide(name);
  // The value may grow between the size query and the read; ask again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    // Room for a terminator the stored data may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    result = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return std::nullopt;
    const std::size_t units = bytes / sizeof(wchar_t);
    std::wstring_view text(buffer.data(), units);
    text = text.substr(0, text.find(L'\0'));
    return fromWide(text);
  }
  return std::nullopt;
}

}  // namespace

bool Win32Registry::keyExists(RegistryRoot root, std::u16string_view key) {
  OpenKey opened;
  return opened.open(root, key, KEY_READ);
}

std::optional<std::uint32_t> Win32Registry::readDword(RegistryRoot root, std::u16string_view key,
                                                      std::u16string_view name) {
  OpenKey opened;
  if (!opened.open(root, key, KEY_READ)) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExW(opened.get(), toWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::u16string> Win32Registry::readString(RegistryRoot root, std::u16string_view key,
                                                        std::u16string_view name) {
  OpenKey opened;
  if (!opened.open(root, key, KEY_READ)) return std::nullopt;
  return stringValue(opened.get(), name);
}

bool Win32Registry::writeDword(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                               std::uint32_t value, KeyCreation creation) {
  OpenKey opened;
  if (!opened.openForWriting(root, key, creation)) return false;
  const DWORD data = value;
  return RegSetValueExW(opened.get(), toWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof(data)) == ERROR_SUCCESS;
}

bool Win32Registry::writeString(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                                std::u16string_view value, KeyCreation creation) {
  OpenKey opened;
  if (!opened.openForWriting(root, key, creation)) return false;
  const std::wstring data = toWide(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(opened.get(), toWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        bytes) == ERROR_SUCCESS;
}

bool Win32Registry::deleteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) {
  OpenKey opened;
  // A missing key holds no value; a key the user may not change fails.
  const LONG status = opened.openStatus(root, key, KEY_SET_VALUE);
  if (status != ERROR_SUCCESS) return status == ERROR_FILE_NOT_FOUND;
  const LONG result = RegDeleteValueW(opened.get(), toWide(name).c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

ExpandedValue Win32Registry::readExpandedString(RegistryRoot root, std::u16string_view key,
                                                std::u16string_view name) {
  OpenKey opened;
  const LONG error = opened.openStatus(root, key, KEY_READ);
  if (error != ERROR_SUCCESS) return {std::nullopt, static_cast<std::uint32_t>(error)};
  const std::optional<std::u16string> raw = stringValue(opened.get(), name);
  if (!raw) return {};
  const std::wstring source = toWide(*raw);
  // The environment may change between the size query and the expansion.
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), nullptr, 0);
    if (needed == 0) break;
    std::wstring expanded(needed, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(source.c_str(), expanded.data(), needed);
    if (written == 0) break;
    if (written <= needed) {
      expanded.resize(written - 1);
      return {fromWide(expanded), 0};
    }
  }
  return {raw, 0};
}

}  // namespace tolvane::win32
