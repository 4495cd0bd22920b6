#pragma once
// The hot-key view: one row per assigned hot key, sorted by a column on
// request, the tree item a chosen row leads to, and the rules for a new
// master hot key.

#include <optional>
#include <string>
#include <vector>

#include "editors/library_queries.h"
#include "editors/refusal.h"
#include "library/chore_list.h"
#include "library/hot_key_code.h"
#include "platform/key_names.h"

namespace tolvane {

// Ctrl+Shift+Right arrow (extended), the master hot key an empty field
// gives back.
inline constexpr HotKeyCode kStandardMasterKey{kVirtualKeyRight, kHotKeyShift | kHotKeyControl | kHotKeyExtended};

// What a row stands for, and so which tree item OK selects.
struct HotKeyTarget {
  enum class Kind { Chore, List, Step };
  Kind kind = Kind::Chore;
  // The chore's, or the list's for a list and a waiting step.
  std::u16string name;
  // A waiting step: the chore the step runs, and the key it waits for.
  std::u16string stepChore;
  HotKeyCode key;

  friend bool operator==(const HotKeyTarget&, const HotKeyTarget&) = default;
};

struct HotKeyRow {
  std::u16string key;
  std::u16string chore;
  // The list's name; for a waiting step followed by "[comp]" and the
  // step's chore.
  std::u16string list;
  std::u16string tip;
  HotKeyTarget target;
};

enum class HotKeyColumn { Key = 0, Chore = 1, List = 2 };

// What the row shows in the column.
const std::u16string& columnText(const HotKeyRow& row, HotKeyColumn column);

// Chores' keys first, then lists' keys and waiting steps' keys.
std::vector<HotKeyRow> hotKeyRows(const AssignedHotKeys& keys, KeyNames& keyNames);

// Sorting by a column's text, code unit by code unit: the first request
// sorts ascending and every further one, on any column, the other way.
class HotKeyRowOrder {
 public:
  void sort(std::vector<HotKeyRow>& rows, HotKeyColumn column);

 private:
  bool ascending_ = false;
};

// The index of the list's step a waiting-step row stands for: the first
// step that runs its chore and waits for its key, else the first that runs
// its chore; -1 when the list has none.
int stepIndexOf(const ChoreList& list, const HotKeyTarget& target);

// The field a refusal of OK names.
enum class HotKeysField { MasterKey };

// What OK makes of the master hot-key field: the key to use, or the reason
// it is refused ("Hotkey: %s is already used by \"%s\".", the field
// emptied). An empty field gives Ctrl+Shift+Right arrow back; a key of a
// chore, a list or a waiting step is refused unless it is that same
// Ctrl+Shift+Right arrow.
Submission<HotKeyCode> decideMasterKey(HotKeyCode entered, const AssignedHotKeys& keys, KeyNames& keyNames);

}  // namespace tolvane
