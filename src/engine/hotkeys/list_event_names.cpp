#include "engine/hotkeys/list_event_names.h"

#include "base/format.h"

namespace tolvane {

namespace {

// Kernel object names are limited to 260 characters; the longest prefix
// and step suffix leave room for this much of the mangled list name.
constexpr std::size_t kMaxMangledLength = 220;
constexpr std::size_t kHashedKeepLength = kMaxMangledLength - 17;

bool keptAsIs(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

std::uint64_t fnv1a(std::u16string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char16_t c : text) {
    hash = (hash ^ (c & 0xFF)) * 0x100000001b3ull;
    hash = (hash ^ (c >> 8)) * 0x100000001b3ull;
  }
  return hash;
}

}  // namespace

std::u16string mangleListName(std::u16string_view listName) {
  std::u16string mangled;
  mangled.reserve(listName.size());
  for (const char16_t c : listName) {
    if (keptAsIs(c)) {
      mangled += c;
    } else if (c == u'_') {
      mangled += u"__";
    } else {
      mangled += formatText(u"_%04.4x", static_cast<unsigned>(c));
    }
  }
  if (mangled.size() > kMaxMangledLength) {
    // "-" never appears in a mangled name, so a hashed name cannot equal an
    // unhashed one.
    const auto hash = fnv1a(listName);
    mangled.resize(kHashedKeepLength);
    mangled += formatText(u"-%08.8x%08.8x", static_cast<std::uint32_t>(hash >> 32), static_cast<std::uint32_t>(hash));
  }
  return mangled;
}

std::u16string listTermEventName(std::u16string_view listName) {
  return formatText(u"_hkChoreListTerm_%s", mangleListName(listName));
}

std::u16string stepCompletionEventName(std::u16string_view listName, std::uint32_t stepIndex) {
  return formatText(u"_hkChComp_%s_%d", mangleListName(listName), stepIndex);
}

}  // namespace tolvane
