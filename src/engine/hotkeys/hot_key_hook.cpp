#include "engine/hotkeys/hot_key_hook.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "base/format.h"

namespace tolvane {

bool HotKeyHook::onKey(const KeyStroke& key, ModifierState pressed) {
  HookSwitches switches;
  switches.suspended = suspended_.load();
  switches.captureMode = s_.capture.active();
  switches.processingEnabled = processingEnabled_.load();
  switches.masterKey = masterKey();

  // Holds the table while the decision points into it.
  std::shared_ptr<const HotKeyTable> table;
  std::optional<KeyDecision> settled = decideWithoutBindings(key, pressed, switches);
  if (!settled) {
    table = index_.current();
    settled = decideByBindings(key.virtualKey, pressed, *table);
  }
  const KeyDecision& decision = *settled;

  switch (decision.action) {
    case KeyAction::PassOn:
      break;
    case KeyAction::EndCapture:
      s_.capture.stop();
      break;
    case KeyAction::Record:
      s_.capture.record({key.virtualKey, modifierFlags(pressed), s_.windows.foregroundWindowText()});
      break;
    case KeyAction::ToggleMaster:
      toggleMaster();
      break;
    case KeyAction::RunChore: {
      Chore chore = s_.library.copyChore(decision.entry->name);
      // The binding went away since the table was built: not ours.
      if (!chore.isFound()) return false;
      s_.slot.runChore(std::move(chore));
      break;
    }
    case KeyAction::LaunchList:
      s_.launcher.launchChoreList(decision.entry->name);
      break;
    case KeyAction::SignalSteps:
      signalSteps(decision, pressed);
      break;
  }
  return decision.swallow();
}

void HotKeyHook::toggleMaster() {
  const bool enabled = !processingEnabled_.load();
  processingEnabled_.store(enabled);
  s_.sounds.playResource(enabled ? kSoundHotKeysOn : kSoundHotKeysOff);
  showProcessing(enabled);
}

void HotKeyHook::suspendForDialog(bool suspend) {
  suspended_.store(suspend);
  showProcessing(!suspend);
}

void HotKeyHook::showProcessing(bool enabled) {
  if (s_.showProcessingEnabled) s_.showProcessingEnabled(enabled);
  s_.log.activity(formatText(u"Hotkey processing: %s", enabled ? u"ENABLED" : u"DISABLED"), !enabled);
}

// Only a run under way has events to signal: the steps of the run, found
// by their key, whatever the list's stored steps have become meanwhile.
void HotKeyHook::signalSteps(const KeyDecision& decision, ModifierState pressed) {
  std::vector<std::shared_ptr<Event>> events;
  s_.library.read([&](const LibraryContents& contents) {
    for (const HotKeyEntry& entry : decision.entries) {
      if (entry.kind != HotKeyEntry::Kind::Step || !modifiersAgree(entry.modifiers, pressed)) continue;
      const HotKeyCode key{entry.virtualKey, entry.modifiers};
      for (const ChoreList& list : contents.lists) {
        if (list.id != entry.listId) continue;
        for (const Chore& step : list.runSteps) {
          const bool waits = step.compType == WAIT_HOTKEY && step.hotKeyChore == key && step.completionEvent;
          if (waits && std::find(events.begin(), events.end(), step.completionEvent) == events.end())
            events.push_back(step.completionEvent);
        }
        break;
      }
    }
  });
  for (const auto& event : events) event->set();
}

}  // namespace tolvane
