#include "engine/hotkeys/hot_key_matches.h"

namespace tolvane {

namespace {

constexpr std::uint16_t kPressedModifiers = kHotKeyShift | kHotKeyControl | kHotKeyAlt;

bool keyMatches(HotKeyCode hotKey, std::uint16_t virtualKey) {
  return virtualKey == 0 ? hotKey.isSet() : hotKey.virtualKey == virtualKey;
}

}  // namespace

std::size_t findHotKeyMatches(const LibraryContents& library, std::uint16_t virtualKey,
                              std::vector<HotKeyMatch>& choreMatches, std::vector<HotKeyMatch>& listMatches) {
  for (const Chore& chore : library.chores) {
    if (keyMatches(chore.hotKey, virtualKey))
      choreMatches.push_back({chore.name, chore.hotKey.virtualKey, chore.hotKey.modifiers, nullptr, false, {}});
  }
  for (const ChoreList& list : library.lists) {
    if (keyMatches(list.hotKey, virtualKey))
      listMatches.push_back({list.name, list.hotKey.virtualKey, list.hotKey.modifiers, nullptr, false, {}});
  }
  for (const ChoreList& list : library.lists) {
    for (const Chore& step : list.steps) {
      if (step.compType != WAIT_HOTKEY || !keyMatches(step.hotKeyChore, virtualKey)) continue;
      listMatches.push_back(
          {list.name, step.hotKeyChore.virtualKey, step.hotKeyChore.modifiers, step.completionEvent, true, step.name});
    }
  }
  return choreMatches.size() + listMatches.size();
}

std::size_t findHotKeyMatches(const ChoreLibrary& library, std::uint16_t virtualKey,
                              std::vector<HotKeyMatch>& choreMatches, std::vector<HotKeyMatch>& listMatches) {
  return library.read([&](const LibraryContents& contents) {
    return findHotKeyMatches(contents, virtualKey, choreMatches, listMatches);
  });
}

std::uint16_t modifierFlags(ModifierState pressed) {
  return static_cast<std::uint16_t>((pressed.alt ? kHotKeyAlt : 0) | (pressed.shift ? kHotKeyShift : 0) |
                                    (pressed.ctrl ? kHotKeyControl : 0));
}

bool modifiersAgree(std::uint16_t modifiers, ModifierState pressed) {
  return (modifiers & kPressedModifiers) == modifierFlags(pressed);
}

HotKeyCode asHookKey(HotKeyCode key) {
  return {key.virtualKey, static_cast<std::uint16_t>(key.modifiers & kPressedModifiers)};
}

bool sameHookKey(HotKeyCode a, HotKeyCode b) { return asHookKey(a) == asHookKey(b); }

}  // namespace tolvane
