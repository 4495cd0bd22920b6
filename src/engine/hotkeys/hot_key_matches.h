#pragma once
// Which chores, chore lists and waiting steps a key is bound to.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "library/chore_library.h"

namespace tolvane {

class Event;

struct HotKeyMatch {
  std::u16string name;  // of the chore or the chore list
  std::uint16_t virtualKey = 0;
  std::uint16_t modifiers = 0;
  std::shared_ptr<Event> event;  // a waiting step's completion event, if its list runs
  bool isStep = false;
  std::u16string stepChore;  // a step match: the chore the step runs
};

// Fills the chore matches and the chore-list matches (the lists' own hot
// keys first, then the WAIT_HOTKEY steps) for a virtual key; key 0 lists
// every hot key. Returns the total number of matches.
std::size_t findHotKeyMatches(const LibraryContents& library, std::uint16_t virtualKey,
                              std::vector<HotKeyMatch>& choreMatches, std::vector<HotKeyMatch>& listMatches);

// The same, taking the library's lock.
std::size_t findHotKeyMatches(const ChoreLibrary& library, std::uint16_t virtualKey,
                              std::vector<HotKeyMatch>& choreMatches, std::vector<HotKeyMatch>& listMatches);

// Ctrl exactly when the binding asks for it, and so for Alt and Shift;
// other modifier bits (the extended-key flag) do not count.
struct ModifierState {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

bool modifiersAgree(std::uint16_t modifiers, ModifierState pressed);

// The key as the hook tells keys apart: the virtual key with Ctrl, Shift
// and Alt, nothing else.
HotKeyCode asHookKey(HotKeyCode key);
bool sameHookKey(HotKeyCode a, HotKeyCode b);

// The held keys as hot-key modifier flags.
std::uint16_t modifierFlags(ModifierState pressed);

}  // namespace tolvane
