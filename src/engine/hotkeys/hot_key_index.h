#pragma once
// The hook's view of the library's hot keys, grouped by key, so that a key
// press looks at its own few bindings instead of every chore and step, and
// a key bound to nothing costs one search and no allocation. Rebuilt when
// the library's revision moves.

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "library/chore_library.h"

namespace tolvane {

struct HotKeyEntry {
  enum class Kind : std::uint8_t { Chore, List, Step };
  std::uint16_t virtualKey = 0;
  std::uint16_t modifiers = 0;
  Kind kind = Kind::Chore;
  std::u16string name;   // chore or list name
  ChoreListId listId = 0;
};

// Entries sorted by key; for one key, chores in library order, then the
// lists' own hot keys, then the waiting steps, as the hook tries them. The
// waiting steps are a list's steps and those of its run under way, which
// an edit while it runs may have replaced.
class HotKeyTable {
 public:
  explicit HotKeyTable(const LibraryContents& library);
  std::span<const HotKeyEntry> entriesFor(std::uint16_t virtualKey) const;
  std::size_t size() const { return entries_.size(); }

 private:
  std::vector<HotKeyEntry> entries_;
};

class HotKeyIndex {
 public:
  explicit HotKeyIndex(const ChoreLibrary& library) : library_(library) {}

  // The table for the library as it is now.
  std::shared_ptr<const HotKeyTable> current();

 private:
  const ChoreLibrary& library_;
  std::mutex mutex_;
  std::shared_ptr<const HotKeyTable> table_;
  std::uint64_t revision_ = 0;
};

}  // namespace tolvane
