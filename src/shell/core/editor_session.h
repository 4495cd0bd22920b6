#pragma once
// Around every editor, the wizard and the hot-key view: hot keys are
// suspended for as long as the session lives ("Hotkey processing:
// DISABLED", then "ENABLED"), and the editor gets what it may use.
//
//   EditorSession session(core);
//   if (auto chore = editChore(hwnd(), session.context(), nullptr)) store.addChore(*chore);

#include "engine/hotkeys/hot_key_hook.h"
#include "shell/core/tolvane_core.h"

namespace tolvane::win32 {

class EditorSession {
 public:
  explicit EditorSession(TolvaneCore& core) : suspension_(core.suspendHotKeys()), context_(core.editorContext()) {}

  const EditorContext& context() const { return context_; }

 private:
  HotKeySuspension suspension_;
  const EditorContext& context_;
};

}  // namespace tolvane::win32
