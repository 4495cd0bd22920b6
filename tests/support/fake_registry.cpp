#include "support/fake_registry.h"

namespace tolvane::test {

bool FakeRegistry::keyExists(RegistryRoot root, std::u16string_view key) {
  return keys_.count({root, std::u16string(key)}) != 0;
}

const FakeRegistry::Value* FakeRegistry::find(RegistryRoot root, std::u16string_view key,
                                              std::u16string_view name) const {
  auto k = values_.find({root, std::u16string(key)});
  if (k == values_.end()) return nullptr;
  auto v = k->second.find(std::u16string(name));
  return v == k->second.end() ? nullptr : &v->second;
}

std::optional<std::uint32_t> FakeRegistry::readDword(RegistryRoot root, std::u16string_view key,
                                                     std::u16string_view name) {
  reads.emplace_back(name);
  const Value* value = find(root, key, name);
  if (!value || !std::holds_alternative<std::uint32_t>(*value)) return std::nullopt;
  return std::get<std::uint32_t>(*value);
}

std::optional<std::u16string> FakeRegistry::readString(RegistryRoot root, std::u16string_view key,
                                                       std::u16string_view name) {
  reads.emplace_back(name);
  const Value* value = find(root, key, name);
  if (!value || !std::holds_alternative<std::u16string>(*value)) return std::nullopt;
  return std::get<std::u16string>(*value);
}

bool FakeRegistry::writeDword(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                              std::uint32_t value, KeyCreation creation) {
  if (creation == KeyCreation::OnlyIfExists && !keyExists(root, key)) return false;
  writes.emplace_back(name);
  set(root, key, name, value);
  return true;
}

bool FakeRegistry::writeString(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                               std::u16string_view value, KeyCreation creation) {
  if (creation == KeyCreation::OnlyIfExists && !keyExists(root, key)) return false;
  if (isReadOnly(root, key)) return false;
  writes.emplace_back(name);
  set(root, key, name, std::u16string(value));
  return true;
}

bool FakeRegistry::deleteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) {
  if (isReadOnly(root, key)) return false;
  auto k = values_.find({root, std::u16string(key)});
  if (k != values_.end()) k->second.erase(std::u16string(name));
  return true;
}

ExpandedValue FakeRegistry::readExpandedString(RegistryRoot root, std::u16string_view key,
                                               std::u16string_view name) {
  if (!keyExists(root, key)) return {std::nullopt, 2};
  const std::optional<std::u16string> raw = readString(root, key, name);
  if (!raw) return {};
  std::u16string expanded;
  for (std::size_t at = 0; at < raw->size();) {
    const std::size_t open = raw->find(u'%', at);
    const std::size_t close = open == std::u16string::npos ? open : raw->find(u'%', open + 1);
    if (close == std::u16string::npos) {
      expanded += raw->substr(at);
      break;
    }
    const auto variable = environment.find(raw->substr(open + 1, close - open - 1));
    expanded += raw->substr(at, open - at);
    expanded += variable == environment.end() ? raw->substr(open, close - open + 1) : variable->second;
    at = close + 1;
  }
  return {expanded, 0};
}

void FakeRegistry::makeReadOnly(RegistryRoot root, std::u16string_view key) {
  readOnly_.insert({root, std::u16string(key)});
}

bool FakeRegistry::isReadOnly(RegistryRoot root, std::u16string_view key) const {
  return readOnly_.count({root, std::u16string(key)}) != 0;
}

void FakeRegistry::addKey(RegistryRoot root, std::u16string_view key) { keys_.insert({root, std::u16string(key)}); }

void FakeRegistry::set(RegistryRoot root, std::u16string_view key, std::u16string_view name, Value value) {
  addKey(root, key);
  values_[{root, std::u16string(key)}][std::u16string(name)] = std::move(value);
}

}  // namespace tolvane::test
