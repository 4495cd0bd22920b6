#pragma once
// The real platform of Tolvane.exe: every implementation made once, by the
// one owner (the program's core), and lent by reference to what needs it:
// the chore thread, the list threads, the editors and the request desk.
// Each implementation is free of state a thread could trip over, or keeps
// it behind an atomic, so one object serves every thread.

#include "platform/win32/companion_binding.h"
#include "platform/win32/executor/win32_clipboard.h"
#include "platform/win32/executor/win32_keyboard_input.h"
#include "platform/win32/executor/win32_shell_actions.h"
#include "platform/win32/executor/win32_sounds.h"
#include "platform/win32/executor/win32_window_actions.h"
#include "platform/win32/library/win32_files.h"
#include "platform/win32/library/win32_key_names.h"
#include "platform/win32/library/win32_prompts.h"
#include "platform/win32/registry/win32_registry.h"
#include "platform/win32/sync/win32_sync.h"
#include "platform/win32/targeting/accessible_object.h"
#include "platform/win32/targeting/win32_desktop.h"

namespace tolvane::win32 {

struct Win32Platform {
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32Registry registry;
  Win32Files files;
  Win32Sync sync;
  Win32ShellActions shell;
  Win32Desktop desktop;
  Win32WindowActions windows;
  Win32KeyboardInput keyboard;
  Win32Clipboard clipboard;
  Win32Sounds sounds;
  Win32Accessibility accessibility;
  Win32Processes processes;
  // The main window's message boxes, owned by it once it exists.
  Win32Prompts windowPrompts;
  // Chores' and lists' questions: a worker's box must not hang off the
  // main window.
  Win32Prompts ownerlessPrompts;
  // Creates the Keyrune+ event, which exists whether or not the companion
  // loads.
  CompanionBinding companion;
  // Key display names from a hot-key control of the thread that makes the
  // platform (the user-interface thread), which alone may ask.
  Win32KeyNames keyNames;
};

}  // namespace tolvane::win32
