#pragma once
// What the keyboard hook does with one key event: the whole rule as a
// function of the event, the modifier keys held, the hook's switches and
// the hot-key bindings of that key. It allocates nothing.

#include <cstdint>
#include <optional>
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

// A key can be a hot key only with Ctrl or Alt, unless it is one of the
// function keys F1 to F24: ordinary typing never reaches the bindings.
bool canBeHotKey(std::uint16_t virtualKey, bool ctrlOrAlt);

// Whether the event is one the hook decides on at all. The others (releases,
// injected keys, everything while suspended) pass on before the modifier
// keys are even read.
bool isKeyToDecide(const KeyStroke& key, bool suspended, bool captureMode);

// The decision that the event and the switches settle alone; none when the
// key's bindings have to be consulted. Ordinary typing is settled here, so
// the hook looks the hot-key table up only for the keys that need it.
std::optional<KeyDecision> decideWithoutBindings(const KeyStroke& key, ModifierState pressed,
                                                 const HookSwitches& switches);

// The decision from the key's bindings, for a key not settled without them.
KeyDecision decideByBindings(std::uint16_t virtualKey, ModifierState pressed, const HotKeyTable& table);

// The whole rule; no table means no bindings.
KeyDecision decideKey(const KeyStroke& key, ModifierState pressed, const HookSwitches& switches,
                      const HotKeyTable* table);

}  // namespace tolvane
