#include "engine/hotkeys/key_decision.h"

namespace tolvane {

namespace {

bool isFunctionKey(std::uint16_t virtualKey) { return virtualKey >= kVirtualKeyF1 && virtualKey <= kVirtualKeyF24; }

bool isModifierKey(std::uint16_t virtualKey) {
  return virtualKey >= kVirtualKeyFirstModifier && virtualKey <= kVirtualKeyLastModifier;
}

bool isCaptureEndKey(const KeyStroke& key, ModifierState pressed) {
  return key.virtualKey == kVirtualKeyRight && pressed.ctrl && pressed.shift && !pressed.alt;
}

bool isMasterKey(const KeyStroke& key, ModifierState pressed, HotKeyCode master) {
  return master.isSet() && key.virtualKey == master.virtualKey && modifiersAgree(master.modifiers, pressed);
}

// Steps 1 to 7 of the rule: everything before the bindings are consulted.
// Returns true with `decision` filled when the key is settled without them.
bool settledBeforeBindings(const KeyStroke& key, ModifierState pressed, const HookSwitches& switches,
                           KeyDecision& decision) {
  decision = {};
  if (switches.suspended && !switches.captureMode) return true;
  if (key.code < 0) return true;
  if (key.flags & (kKeyFlagInjected | kKeyFlagUp)) return true;
  if (switches.captureMode) {
    if (isCaptureEndKey(key, pressed))
      decision.action = KeyAction::EndCapture;
    else if (!isModifierKey(key.virtualKey))
      decision.action = KeyAction::Record;
    return true;
  }
  if (isMasterKey(key, pressed, switches.masterKey)) {
    decision.action = KeyAction::ToggleMaster;
    return true;
  }
  if (!switches.processingEnabled) return true;
  if (!pressed.ctrl && !pressed.alt && !isFunctionKey(key.virtualKey)) return true;
  return false;
}

}  // namespace

bool needsHotKeyTable(const KeyStroke& key, ModifierState pressed, const HookSwitches& switches) {
  KeyDecision decision;
  return !settledBeforeBindings(key, pressed, switches, decision);
}

KeyDecision decideKey(const KeyStroke& key, ModifierState pressed, const HookSwitches& switches,
                      const HotKeyTable* table) {
  KeyDecision decision;
  if (settledBeforeBindings(key, pressed, switches, decision) || !table) return decision;

  const std::span<const HotKeyEntry> entries = table->entriesFor(key.virtualKey);
  bool anyStep = false;
  for (const HotKeyEntry& entry : entries) {
    if (entry.kind == HotKeyEntry::Kind::Chore && modifiersAgree(entry.modifiers, pressed)) {
      decision.action = KeyAction::RunChore;
      decision.entry = &entry;
      return decision;
    }
  }
  for (const HotKeyEntry& entry : entries) {
    if (entry.kind == HotKeyEntry::Kind::Chore || !modifiersAgree(entry.modifiers, pressed)) continue;
    if (entry.kind == HotKeyEntry::Kind::List) {
      // The table keeps the lists' own keys ahead of the waiting steps, so
      // a list bound to the key starts and no step is signalled.
      decision.action = KeyAction::LaunchList;
      decision.entry = &entry;
      return decision;
    }
    anyStep = true;
  }
  if (anyStep) {
    decision.action = KeyAction::SignalSteps;
    decision.entries = entries;
  }
  return decision;
}

}  // namespace tolvane
