#pragma once
// The program's preferences and the main window's remembered state, kept
// under HKCU\Software\Tallowmere\Tolvane\Settings. Read once at start-up,
// written once at close.

#include <cstdint>
#include <string>

#include "library/hot_key_code.h"

namespace tolvane {

// String settings were fixed 260-character buffers; longer registry values
// are cut to this many code units on reading so nothing downstream sees
// more than the buffers ever held.
constexpr std::size_t kSettingTextMax = 259;

// A stored string equal to this reads as empty.
constexpr std::u16string_view kNoPathFound = u"no path found";

struct Settings {
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  bool alwaysOnTop = false;
  bool autoStart = false;
  bool exitSystray = false;
  std::uint32_t treeBkColor = 0xAAC8BE;
  bool doDebugLog = false;
  bool doActivityLog = false;
  bool doProcWatch = true;
  bool doFolderWatch = true;
  std::uint32_t watchLogMax = 0;
  std::uint32_t defWatchLogMax = 5;
  std::int32_t progWidth = 0;
  std::int32_t progHeight = 0;
  bool minimizeOnStart = false;
  bool promptSave = false;
  bool promptFolderChore = true;
  bool scanDesktop = true;
  bool makeBackup = true;
  bool deleteOnWatch = true;
  std::int32_t bhoWait = 30;
  std::int32_t defaultDelay = 2;
  std::int32_t maxActivityLogs = 500;
  std::uint16_t masterhostkeyCode = kVirtualKeyRight;
  std::uint16_t masterhostkeyModifier = kHotKeyShift | kHotKeyControl | kHotKeyExtended;
  bool choreExpanded = false;
  bool choreListExpanded = false;
  std::u16string lastFolder;
  std::u16string lastChore;
  std::u16string lastChoreList;
  std::u16string lastSelected;

  HotKeyCode masterHotKey() const { return {masterhostkeyCode, masterhostkeyModifier}; }

  friend bool operator==(const Settings&, const Settings&) = default;
};

// The main window's normal rectangle as the settings keep it.
struct PlacementRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  friend bool operator==(const PlacementRect&, const PlacementRect&) = default;
};

}  // namespace tolvane
