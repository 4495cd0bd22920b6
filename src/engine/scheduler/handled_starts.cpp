#include "engine/scheduler/handled_starts.h"

#include <optional>

#include "base/format.h"
#include "library/settings/settings_store.h"

namespace tolvane {
namespace {

// Reads a decimal number ended by `end` from the front of `text` and
// takes both off it. Eighteen characters cannot overflow, and no calendar
// time or name length needs more.
std::optional<std::int64_t> takeNumber(std::u16string_view& text, char16_t end) {
  const std::size_t stop = text.find(end);
  if (stop == std::u16string_view::npos || stop == 0 || stop > 18) return std::nullopt;
  const bool negative = text[0] == u'-';
  std::int64_t value = 0;
  for (std::size_t i = negative ? 1 : 0; i < stop; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    value = value * 10 + (text[i] - u'0');
  }
  text.remove_prefix(stop + 1);
  return negative ? -value : value;
}

}  // namespace

std::u16string encodeHandledStarts(const HandledStarts& starts) {
  std::u16string text;
  for (const auto& [name, time] : starts) text += formatText(u"%d,%d,%s;", time, name.size(), name);
  return text;
}

HandledStarts decodeHandledStarts(std::u16string_view text) {
  HandledStarts starts;
  while (!text.empty()) {
    const std::optional<std::int64_t> time = takeNumber(text, u',');
    const std::optional<std::int64_t> length = time ? takeNumber(text, u',') : std::nullopt;
    if (!length || *length < 0 || static_cast<std::uint64_t>(*length) >= text.size()) break;
    const auto size = static_cast<std::size_t>(*length);
    if (text[size] != u';') break;
    starts[std::u16string(text.substr(0, size))] = *time;
    text.remove_prefix(size + 1);
  }
  return starts;
}

HandledStarts loadHandledStarts(Registry& registry) {
  const auto text = registry.readString(RegistryRoot::CurrentUser, kSettingsKey, kHandledStartsValue);
  return text ? decodeHandledStarts(*text) : HandledStarts{};
}

void saveHandledStarts(Registry& registry, const HandledStarts& starts) {
  registry.writeString(RegistryRoot::CurrentUser, kSettingsKey, kHandledStartsValue, encodeHandledStarts(starts),
                       KeyCreation::CreateIfMissing);
}

}  // namespace tolvane
