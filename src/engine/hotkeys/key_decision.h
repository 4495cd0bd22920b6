#pragma once
// What the keyboard hook does with one key event: the whole rule as a
// function of the event, the modifier keys held, the hook's switches and
// the hot-key bindings of that key. It allocates nothing.

#include <cstdint>
#include <span>

#include "engine/hotkeys/hot_key_index.h"
#include "engine/hotkeys/hot_key_matches.h"
#include "library/hot_key_code.h"

namespace tolvane {

// KBDLLHOOKSTRUCT flags: injected by a program, and a key release.
constexpr std::uint32_t kKeyFlagInjected = 0x10;
constexpr std::uint32_t kKeyFlagUp = 0x80;

constexpr std::uint16_t kVirtualKeyF1 = 0x70;
constexpr std::uint16_t kVirtualKeyF24 = 0x87;
constexpr std::uint16_t kVirtualKeyFirstModifier = 0xA0;  // left Shift
constexpr std::uint16_t kVirtualKeyLastModifier = 0xA5;   // right Alt

struct KeyStroke {
  int code = 0;  // the hook code; negative ones are not ours to look at
  std::uint16_t virtualKey = 0;
  std::uint32_t flags = 0;
};

struct HookSwitches {
  bool suspended = false;
  bool captureMode = false;
  bool processingEnabled = true;
  HotKeyCode masterKey;
};

enum class KeyAction {
  PassOn,
  EndCapture,    // swallow
  Record,        // record for the wizard, pass on
  ToggleMaster,  // swallow
  RunChore,      // swallow; `entry` is the chore
  LaunchList,    // swallow; `entry` is the list
  SignalSteps,   // pass on; `entries` holds the key's bindings, steps among them
};

struct KeyDecision {
  KeyAction action = KeyAction::PassOn;
  const HotKeyEntry* entry = nullptr;
  std::span<const HotKeyEntry> entries;

  bool swallow() const {
    return action == KeyAction::EndCapture || action == KeyAction::ToggleMaster || action == KeyAction::RunChore ||
           action == KeyAction::LaunchList;
  }
};

KeyDecision decideKey(const KeyStroke& key, ModifierState pressed, const HookSwitches& switches,
                      const HotKeyTable* table);

// Whether a key event with these switches could need the hot-key table at
// all; lets the hook skip looking the table up for ordinary typing.
bool needsHotKeyTable(const KeyStroke& key, ModifierState pressed, const HookSwitches& switches);

}  // namespace tolvane
