#include "engine/hotkeys/hot_key_index.h"

#include <algorithm>

namespace tolvane {

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
    for (std::size_t i = 0; i < list.steps.size(); ++i) {
      const Chore& step = list.steps[i];
      if (step.compType != WAIT_HOTKEY || !step.hotKeyChore.isSet()) continue;
      entries_.push_back({step.hotKeyChore.virtualKey, step.hotKeyChore.modifiers, HotKeyEntry::Kind::Step, list.name,
                          list.id, static_cast<std::uint32_t>(i)});
    }
  }
  std::ranges::stable_sort(entries_, {}, &HotKeyEntry::virtualKey);
}

std::span<const HotKeyEntry> HotKeyTable::entriesFor(std::uint16_t virtualKey) const {
  const auto found = std::ranges::equal_range(entries_, virtualKey, {}, &HotKeyEntry::virtualKey);
  return {found.begin(), found.end()};
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
