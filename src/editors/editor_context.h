#pragma once
// What an editor may use, and nothing more: the library's answers, the
// settings it reads, key names, message boxes, the logs, the clock, and the
// platform services the picker and the wizard need. An editor never sees
// the main window. It is called like a function and returns what the user
// made; the main window stores the result (ChoreStore, in
// shell/main_window/chore_store.h) and keeps hot keys suspended meanwhile.
//
// Each editor is a portable model in src/editors/<name>/ (its form, open()
// for what the dialog shows, submit(form) for the result or a Refusal
// naming one of its fields; tested natively) and a thin view in
// src/editors/<name>/win32/ whose binding table maps fields to controls.
// The view's entry point has this shape:
//
//   // src/editors/schedule/win32/schedule_dlg.h
//   std::optional<ChoreSchedule> editSchedule(HWND parent, const EditorContext& context,
//                                             const ChoreSchedule& existing);
//
// The main window opens it from a row of its command table
// (src/shell/main_window/main_commands.cpp); scheduleSelectedList in
// list_commands.cpp shows the whole path: an EditorSession keeps the hot
// keys suspended while the editor is open, and ChoreStore stores its result.

#include "editors/chore_trials.h"
#include "editors/library_queries.h"
#include "engine/hotkeys/key_capture.h"
#include "library/settings/settings.h"
#include "library/settings/settings_store.h"
#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/key_names.h"
#include "platform/log_sink.h"
#include "platform/processes.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/window_actions.h"

namespace tolvane {

struct EditorContext {
  // isNameUnused, hotKeyOwner, chore and list names, copies, hot keys.
  const LibraryQueries& library;
  // As loaded (defaultDelay, scanDesktop, the master hot key, ...); an
  // editor that changes settings returns the new record.
  const Settings& settings;
  // "Ctrl + Alt + K" for a hot-key control's value.
  KeyNames& keyNames;
  // Message boxes ("Tolvane" captions), owned by the editor's dialog when
  // one is open, so that it stays disabled under them.
  Prompts& prompts;
  // The activity window and the debug log.
  LogSink& log;
  const Clock& clock;

  // Other programs' windows: enumeration, children, classic menus, front.
  Desktop& desktop;
  // Posting commands (the Start Menu), minimised or not.
  WindowActions& windows;
  // Menus of programs without a classic menu bar.
  Accessibility& accessibility;
  Processes& processes;
  // The shell's folders, the Run key, the Keyrune+ key.
  Registry& registry;
  Files& files;

  // The wizard: keys recorded by the keyboard hook, and trial runs.
  KeyCapture& capture;
  ChoreTrials& trials;

  // Keyrune+ offers the surf and logon chores.
  bool keyruneInstalled() const { return isKeyruneInstalled(registry); }
};

}  // namespace tolvane
