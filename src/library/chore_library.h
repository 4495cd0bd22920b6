#pragma once
// The chore library: the chores and the chore lists, in the user's order,
// shared by the user-interface thread and every worker thread.
//
// One lock guards both sequences. Workers never hold references into them:
// single operations return copies, and code that needs a consistent view
// of several records (saving, filling the tree, the hook's lookups) runs
// inside read() or edit(), which hold the lock for the duration.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/chore.h"
#include "library/chore_list.h"

namespace tolvane {

struct LibraryContents {
  std::vector<Chore> chores;
  std::vector<ChoreList> lists;
};

// Index of the first record named `name`; -1 when none has it.
template <typename Record>
int indexOfName(const std::vector<Record>& records, std::u16string_view name) {
  const auto it = std::find_if(records.begin(), records.end(), [&](const Record& r) { return r.name == name; });
  return it == records.end() ? -1 : static_cast<int>(it - records.begin());
}

// The owner hotKeyOwner names for Tolvane's own keys.
inline constexpr std::u16string_view kTolvaneKeyOwner = u"Tolvane";

// Why a key is refused: "Hotkey: %s is already used by \"%s\"." with the
// key's display text and its owner.
std::u16string hotKeyTakenText(std::u16string_view keyText, std::u16string_view owner);

// Every step named `oldName` becomes a copy of `fresh`, keeping its own
// step fields (refreshSteps, for callers that hold the lock).
void refreshStepsOf(LibraryContents& contents, std::u16string_view oldName, const Chore& fresh);

class ChoreLibrary {
 public:
  ChoreLibrary() = default;
  ChoreLibrary(const ChoreLibrary&) = delete;
  ChoreLibrary& operator=(const ChoreLibrary&) = delete;

  int choreCount() const;
  // A copy of the chore at i; a default record when i is out of range.
  Chore choreAt(int i) const;
  void appendChore(const Chore& chore);
  int findChore(std::u16string_view name) const;
  Chore copyChore(std::u16string_view name) const;

  int choreListCount() const;
  ChoreList choreListAt(int i) const;
  // Appends a copy and returns the identity the library gave it.
  ChoreListId appendChoreList(const ChoreList& list);
  int findChoreList(std::u16string_view name) const;
  ChoreList copyChoreList(std::u16string_view name) const;
  std::optional<ChoreList> copyChoreListById(ChoreListId id) const;

  std::vector<std::u16string> listsUsingChore(std::u16string_view choreName) const;
  std::vector<std::u16string> listsChainingTo(std::u16string_view listName) const;
  bool isNameUnused(std::u16string_view name) const;
  // Name of whatever already uses the key: "Tolvane" for its own master
  // hot key, else the first chore, else the first list; none when free.
  std::optional<std::u16string> hotKeyOwner(HotKeyCode key) const;
  void refreshSteps(std::u16string_view oldName, std::u16string_view newName);

  // Grows with every change made through append, refreshSteps or edit(),
  // so that lookups built from the library (the hook's hot-key index) know
  // when to rebuild. Run-time changes through withChoreList do not count.
  std::uint64_t revision() const { return revision_.load(std::memory_order_acquire); }

  // Runs f(const LibraryContents&) under the lock.
  template <typename F>
  decltype(auto) read(F&& f) const {
    std::scoped_lock lock(mutex_);
    return f(static_cast<const LibraryContents&>(contents_));
  }

  // Runs f(LibraryContents&) under the lock. Lists added inside get their
  // identity when f returns.
  template <typename F>
  decltype(auto) edit(F&& f) {
    struct Stamp {
      ChoreLibrary& library;
      ~Stamp() { library.stampNewLists(); }
    };
    std::scoped_lock lock(mutex_);
    Stamp stamp{*this};
    return f(contents_);
  }

  // Runs f(ChoreList&) under the lock on the list with that identity;
  // false when it is gone (deleted while it ran, say).
  template <typename F>
  bool withChoreList(ChoreListId id, F&& f) {
    std::scoped_lock lock(mutex_);
    for (auto& list : contents_.lists) {
      if (list.id == id) {
        f(list);
        return true;
      }
    }
    return false;
  }

 private:
  void stampNewLists();

  mutable std::mutex mutex_;
  LibraryContents contents_;
  ChoreListId nextListId_ = 1;
  std::atomic<std::uint64_t> revision_{0};
};

}  // namespace tolvane
