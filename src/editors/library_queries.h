#pragma once
// The questions an editor may ask the chore library, and no way to change
// it: editors hand their result back and the main window stores it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/hotkeys/hot_key_matches.h"
#include "library/chore_library.h"

namespace tolvane {

// Every assigned hot key, as the hot-key view lists it.
struct AssignedHotKeys {
  std::vector<HotKeyMatch> chores;  // chores' own keys, in library order
  std::vector<HotKeyMatch> lists;   // lists' own keys, then waiting steps' keys
};

class LibraryQueries {
 public:
  explicit LibraryQueries(const ChoreLibrary& library) : library_(library) {}

  // True when neither a chore nor a chore list bears the name (exactly).
  bool isNameUnused(std::u16string_view name) const { return library_.isNameUnused(name); }
  // Whoever holds the key: "Tolvane" for Ctrl+Shift+Right arrow, else the
  // first chore, else the first list; none when it is free.
  std::optional<std::u16string> hotKeyOwner(HotKeyCode key) const { return library_.hotKeyOwner(key); }

  std::vector<std::u16string> choreNames() const;
  std::vector<std::u16string> choreListNames() const;
  // Default records (type unknown, empty name) when there is none.
  Chore copyChore(std::u16string_view name) const { return library_.copyChore(name); }
  ChoreList copyChoreList(std::u16string_view name) const { return library_.copyChoreList(name); }

  AssignedHotKeys assignedHotKeys() const;

 private:
  const ChoreLibrary& library_;
};

}  // namespace tolvane
