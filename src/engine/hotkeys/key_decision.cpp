#include "engine/hotkeys/key_decision.h"

namespace tolvane {

namespace {

bool isModifierKey(std::uint16_t virtualKey) {
  return virtualKey >= kVirtualKeyFirstModifier && virtualKey <= kVirtualKeyLastModifier;
}

// Alt does not matter: a user who holds it too still gets out of capture.
bool isCaptureEndKey(const KeyStroke& key, ModifierState pressed) {
  return key.virtualKey == kVirtualKeyRight && pressed.ctrl && pressed.shift;
}

bool isMasterKey(const KeyStroke& key, ModifierState pressed, HotKeyCode master) {
  return master.isSet() && key.virtualKey == master.virtualKey && modifiersAgree(master.modifiers, pressed);
}

KeyDecision decided(KeyAction action) { return {action, nullptr, {}}; }

}  // namespace

bool canBeHotKey(std::uint16_t virtualKey, bool ctrlOrAlt) {
  return ctrlOrAlt || (virtualKey >= kVirtualKeyF1 && virtualKey <= kVirtualKeyF24);
}

bool isKeyToDecide(const KeyStroke& key, bool suspended, bool captureMode) {
  if (suspended && !captureMode) return false;
  if (key.code < 0) return false;
  return (key.flags & (kKeyFlagInjected | kKeyFlagUp)) == 0;
}

std::optional<KeyDecision> decideWithoutBindings(const KeyStroke& key, ModifierState pressed,
                                                 const HookSwitches& switches) {
  const KeyDecision passOn;
  if (!isKeyToDecide(key, switches.suspended, switches.captureMode)) return passOn;
  if (switches.captureMode) {
    if (isCaptureEndKey(key, pressed)) return decided(KeyAction::EndCapture);
    return isModifierKey(key.virtualKey) ? passOn : decided(KeyAction::Record);
  }
  if (isMasterKey(key, pressed, switches.masterKey)) return decided(KeyAction::ToggleMaster);
  if (!switches.processingEnabled) return passOn;
  if (!canBeHotKey(key.virtualKey, pressed.ctrl || pressed.alt)) return passOn;
  return std::nullopt;
}

KeyDecision decideByBindings(std::uint16_t virtualKey, ModifierState pressed, const HotKeyTable& table) {
  // The table keeps a key's chores ahead of the lists' own keys and those
  // ahead of the waiting steps, so the first binding that agrees decides:
  // a chore wins over a list, and a list bound to the key starts without
  // any step being signalled.
  const std::span<const HotKeyEntry> entries = table.entriesFor(virtualKey);
  for (const HotKeyEntry& entry : entries) {
    if (!modifiersAgree(entry.modifiers, pressed)) continue;
    switch (entry.kind) {
      case HotKeyEntry::Kind::Chore:
        return {KeyAction::RunChore, &entry, {}};
      case HotKeyEntry::Kind::List:
        return {KeyAction::LaunchList, &entry, {}};
      case HotKeyEntry::Kind::Step:
        return {KeyAction::SignalSteps, nullptr, entries};
    }
  }
  return {};
}

KeyDecision decideKey(const KeyStroke& key, ModifierState pressed, const HookSwitches& switches,
                      const HotKeyTable* table) {
  if (const std::optional<KeyDecision> settled = decideWithoutBindings(key, pressed, switches)) return *settled;
  return table ? decideByBindings(key.virtualKey, pressed, *table) : KeyDecision{};
}

}  // namespace tolvane
