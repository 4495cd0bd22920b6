#pragma once
// The shortcuts a "Run a desktop shortcut" chore can start: every ".lnk"
// file on the user's desktop and on the desktop all users share, with the
// folders below them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/log_sink.h"
#include "platform/registry.h"

namespace tolvane {

// Full paths, the user's desktop first, then the common one; within each
// folder by name without regard to case, its files before its subfolders;
// no path twice. `current` (the edited chore's target, or empty) comes
// first. None when the user's shell folders cannot be read ("Desktop
// folder not found." goes to the debug log): the list stays as it was.
std::optional<std::vector<std::u16string>> listDesktopShortcuts(Registry& registry, const Files& files,
                                                                 LogSink& log, std::u16string_view current);

}  // namespace tolvane
