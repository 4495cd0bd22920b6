#include "engine/hotkeys/hot_key_index.h"

#include <algorithm>

namespace tolvane {
namespace {

// Orders entries, and an entry against a key, by virtual key. The classic
// algorithms rather than the range ones: clang's fuzz build cannot compile
// the latter's subrange with this standard library.
struct ByVirtualKey {
  bool operator()(const HotKeyEntry& a, const HotKeyEntry& b) const { return a.virtualKey < b.virtualKey; }
  bool operator()(const HotKeyEntry& a, std::uint16_t key) const { return a.virtualKey < key; }
  bool operator()(std::uint16_t key, const HotKeyEntry& b) const { return key < b.virtualKey; }
};

}  // namespace

HotKeyTable::HotKeyTable(const LibraryContents& library) {
  for (const Chore& chore : library.chores) {
    if (chore.hotKey.isSet())
      entries_.push_back({chore.hotKey.virtualKey, chore.hotKey.modifiers, HotKeyEntry::Kind::Chore, chore.name});
  }
  for (const ChoreList& list : library.lists) {
    if (list.hotKey.isSet())
      entries_.push_back({list.hotKey.virtualKey, list.hotKey.modifiers, HotKeyEntry::Kind::List, list.name, list.id});
  }
  for (const ChoreList& list : library.lists) {
    for (const auto* steps : {&list.steps, &list.runSteps}) {
      for (const Chore& step : *steps) {
        if (step.compType != WAIT_HOTKEY || !step.hotKeyChore.isSet()) continue;
        entries_.push_back(
            {step.hotKeyChore.virtualKey, step.hotKeyChore.modifiers, HotKeyEntry::Kind::Step, list.name, list.id});
      }
    }
  }
  std::stable_sort(entries_.begin(), entries_.end(), ByVirtualKey{});
}

std::span<const HotKeyEntry> HotKeyTable::entriesFor(std::uint16_t virtualKey) const {
  const auto [first, last] = std::equal_range(entries_.begin(), entries_.end(), virtualKey, ByVirtualKey{});
  return {first, last};
}

std::shared_ptr<const HotKeyTable> HotKeyIndex::current() {
  std::scoped_lock lock(mutex_);
  const std::uint64_t revision = library_.revision();
  if (!table_ || revision != revision_) {
    table_ = library_.read([](const LibraryContents& contents) { return std::make_shared<const HotKeyTable>(contents); });
    revision_ = revision;
  }
  return table_;
}

}  // namespace tolvane
