#pragma once
// The keyboard hook's work on the user-interface thread: decide about a
// key (key_decision.h) and hand what it asks for to the right thread. It
// never carries out a chore itself: chores go to the chore thread, lists to
// their own threads.

#include <atomic>
#include <functional>

#include "engine/hotkeys/chore_command_slot.h"
#include "engine/hotkeys/chore_list_launcher.h"
#include "engine/hotkeys/hot_key_index.h"
#include "engine/hotkeys/key_capture.h"
#include "engine/hotkeys/key_decision.h"
#include "platform/log_sink.h"
#include "platform/sounds.h"
#include "platform/window_actions.h"

namespace tolvane {

// Ctrl+Shift+Right arrow (extended) until the settings are read.
inline constexpr HotKeyCode kDefaultMasterKey{0x27, 0x0B};

struct HotKeyHookServices {
  ChoreLibrary& library;
  ChoreCommandSlot& slot;
  ChoreListLauncher& launcher;
  KeyCapture& capture;
  Sounds& sounds;
  LogSink& log;
  WindowActions& windows;
  // Enables or disables the main window's hot-key button (1002).
  std::function<void(bool)> showProcessingEnabled;
};

class HotKeyHook {
 public:
  explicit HotKeyHook(HotKeyHookServices services) : s_(std::move(services)), index_(s_.library) {}

  // True when the key is swallowed; `pressed` is the state of Ctrl, Shift
  // and Alt as the system has it right now.
  bool onKey(const KeyStroke& key, ModifierState pressed);
  // False for the events onKey would pass on whatever the modifiers, so the
  // hook can skip reading them.
  bool wantsKey(const KeyStroke& key) const { return isKeyToDecide(key, suspended_.load(), s_.capture.active()); }

  // hotKeyProcessingEnabled: switched by the master hot key, cleared by the
  // executor while it types.
  std::atomic<bool>& processingEnabled() { return processingEnabled_; }
  // The flag alone, for start-up, which holds it until its end.
  void setSuspended(bool suspended) { suspended_.store(suspended); }
  // Suspends (or lifts the suspension) as the user sees it while an editor,
  // the wizard or the hot-key view is open: the flag, the hot-key button and
  // the activity line "Hotkey processing: ...".
  void suspendForDialog(bool suspend);
  bool suspended() const { return suspended_.load(); }
  void setMasterKey(HotKeyCode key) { masterKey_.store(key.packed()); }
  HotKeyCode masterKey() const { return HotKeyCode::fromPacked(masterKey_.load()); }

 private:
  void toggleMaster();
  void showProcessing(bool enabled);
  void signalSteps(const KeyDecision& decision, ModifierState pressed);

  HotKeyHookServices s_;
  HotKeyIndex index_;
  std::atomic<bool> processingEnabled_{true};
  std::atomic<bool> suspended_{true};
  std::atomic<std::int32_t> masterKey_{kDefaultMasterKey.packed()};
};

// Hot keys do nothing while an editor, the wizard or the hot-key view is
// open: suspended for the life of this object.
class HotKeySuspension {
 public:
  explicit HotKeySuspension(HotKeyHook& hook) : hook_(hook) { hook_.suspendForDialog(true); }
  ~HotKeySuspension() { hook_.suspendForDialog(false); }
  HotKeySuspension(const HotKeySuspension&) = delete;
  HotKeySuspension& operator=(const HotKeySuspension&) = delete;

 private:
  HotKeyHook& hook_;
};

}  // namespace tolvane
