#pragma once
// Where a shortcut points, and whether a run chore's program is already
// running.

#include <optional>
#include <string>
#include <string_view>

#include "platform/log_sink.h"
#include "platform/shell_actions.h"
#include "platform/window_info.h"

namespace tolvane {

bool isShortcutPath(std::u16string_view path);

// The shortcut's target path; the shortcut's own path when it has no file
// target; empty (with a debug line) when it cannot be read.
std::u16string getShortcutTarget(ShellActions& shell, LogSink& log, std::u16string_view shortcutPath);

// What a running instance is looked for by: a path in which the module's
// base name occurs, or (for a shortcut without a file target) a name in
// which the base name without its extension occurs.
struct RunningInstanceKey {
  std::u16string text;
  bool byName = false;
};

RunningInstanceKey runningInstanceKey(ShellActions& shell, LogSink& log, std::u16string_view object);

// The first main window whose program the key names; letter case is
// ignored.
std::optional<WindowHandle> findRunningInstance(const WindowInfoList& windows, const RunningInstanceKey& key);

}  // namespace tolvane
