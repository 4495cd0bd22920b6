#pragma once
// Reading and writing the settings record, the auto-start entry and the
// small registry and process checks that go with them.

#include <string_view>

#include "library/settings/settings.h"
#include "platform/processes.h"
#include "platform/registry.h"

namespace tolvane {

constexpr std::u16string_view kSettingsKey = u"Software\\Tallowmere\\Tolvane\\Settings";
constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::u16string_view kRunValueName = u"Tolvane";
constexpr std::u16string_view kKeyruneKey = u"SOFTWARE\\Tallowmere\\Keyrune+";

// Reads every value (a missing one keeps the record's current value) and
// gives back the four edges of the saved normal rectangle.
void loadSettings(Registry& registry, Settings& settings, PlacementRect& placement);

// Writes every value, the four edges taken from the placement; creates the
// key when it is missing. Failures are silent: a value that cannot be
// written is lost.
void saveSettings(Registry& registry, const Settings& settings, const PlacementRect& placement);

// watchLogMax falls back to defWatchLogMax when it is 0 or above it.
void applyWatchLogMax(Settings& settings);

// Sets progDir only when the settings key exists already.
void writeProgramFolder(Registry& registry, std::u16string_view programFolder);

// The Run entry's command: the program's full path, in double quotes when
// it holds a blank.
std::u16string autoStartCommand(std::u16string_view programPath);
// The Run entry starts the program at `programPath` (where it really is,
// whatever the current folder). Adding deletes any old value first.
bool addAutoStartEntry(Registry& registry, std::u16string_view programPath);
bool removeAutoStartEntry(Registry& registry);

bool isKeyruneInstalled(Registry& registry);
bool isKeyruneRunning(Processes& processes);

}  // namespace tolvane
