#include "library/settings/settings_store.h"

#include <cstdint>
#include <utility>

namespace tolvane {

namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

// The settings have always been written in three runs over the table,
// each in the table's order: most values in the first, the texts and
// maxActivityLogs in the second, the master hot key in the third.
enum class WriteRun { first, second, third };

// Every value, in the order they are read.
template <typename S, typename Walker>
void settingsValues(S& s, Walker& w) {
  w.number(u"left", s.left);
  w.number(u"right", s.right);
  w.number(u"top", s.top);
  w.number(u"bottom", s.bottom);
  w.flag(u"alwaysOnTop", s.alwaysOnTop);
  w.flag(u"autoStart", s.autoStart);
  w.flag(u"exitSystray", s.exitSystray);
  w.number(u"treeBkColor", s.treeBkColor);
  w.flag(u"doDebugLog", s.doDebugLog);
  w.flag(u"doActivityLog", s.doActivityLog);
  w.flag(u"doProcWatch", s.doProcWatch);
  w.flag(u"doFolderWatch", s.doFolderWatch);
  w.number(u"watchLogMax", s.watchLogMax);
  w.number(u"defWatchLogMax", s.defWatchLogMax);
  w.number(u"progWidth", s.progWidth);
  w.number(u"progHeight", s.progHeight);
  w.flag(u"minimizeOnStart", s.minimizeOnStart);
  w.flag(u"promptSave", s.promptSave);
  w.flag(u"promptFolderChore", s.promptFolderChore);
  w.flag(u"scanDesktop", s.scanDesktop);
  w.flag(u"makeBackup", s.makeBackup);
  w.flag(u"deleteOnWatch", s.deleteOnWatch);
  w.number(u"bhoWait", s.bhoWait);
  w.number(u"defaultDelay", s.defaultDelay);
  w.number(u"maxActivityLogs", s.maxActivityLogs, WriteRun::second);
  w.number(u"masterhostkeyCode", s.masterhostkeyCode, WriteRun::third);
  w.number(u"masterhostkeyModifier", s.masterhostkeyModifier, WriteRun::third);
  w.flag(u"choreExpanded", s.choreExpanded);
  w.flag(u"choreListExpanded", s.choreListExpanded);
  w.text(u"lastFolder", s.lastFolder);
  w.text(u"lastChore", s.lastChore);
  w.text(u"lastChoreList", s.lastChoreList);
  w.text(u"lastSelected", s.lastSelected);
}

class SettingsReader {
 public:
  explicit SettingsReader(Registry& registry) : registry_(registry) {}

  // Every number is a DWORD in the registry; the record's narrower or
  // signed fields take its bits.
  template <typename T>
  void number(std::u16string_view name, T& field, WriteRun = WriteRun::first) {
    if (auto value = registry_.readDword(kUser, kSettingsKey, name)) field = static_cast<T>(*value);
  }
  void flag(std::u16string_view name, bool& field) {
    if (auto value = registry_.readDword(kUser, kSettingsKey, name)) field = *value != 0;
  }
  void text(std::u16string_view name, std::u16string& field) {
    auto value = registry_.readString(kUser, kSettingsKey, name);
    if (!value) return;
    if (*value == kNoPathFound) {
      field.clear();
      return;
    }
    field = value->substr(0, kSettingTextMax);
  }

 private:
  Registry& registry_;
};

// Writes the values of one run.
class SettingsWriter {
 public:
  SettingsWriter(Registry& registry, WriteRun run) : registry_(registry), run_(run) {}

  void number(std::u16string_view name, std::int64_t value, WriteRun run = WriteRun::first) {
    if (run != run_) return;
    registry_.writeDword(kUser, kSettingsKey, name, static_cast<std::uint32_t>(value), KeyCreation::CreateIfMissing);
  }
  void flag(std::u16string_view name, bool value) { number(name, value); }
  void text(std::u16string_view name, std::u16string_view value) {
    if (run_ != WriteRun::second) return;
    registry_.writeString(kUser, kSettingsKey, name, value.substr(0, kSettingTextMax), KeyCreation::CreateIfMissing);
  }

 private:
  Registry& registry_;
  WriteRun run_;
};

}  // namespace

void applyWatchLogMax(Settings& settings) {
  if (settings.watchLogMax == 0 || settings.watchLogMax > settings.defWatchLogMax) {
    settings.watchLogMax = settings.defWatchLogMax;
  }
}

void loadSettings(Registry& registry, Settings& s, PlacementRect& placement) {
  SettingsReader reader(registry);
  settingsValues(s, reader);
  applyWatchLogMax(s);
  placement = {s.left, s.top, s.right, s.bottom};
}

void saveSettings(Registry& registry, const Settings& s, const PlacementRect& placement) {
  Settings placed = s;
  placed.left = placement.left;
  placed.top = placement.top;
  placed.right = placement.right;
  placed.bottom = placement.bottom;
  for (const WriteRun run : {WriteRun::first, WriteRun::second, WriteRun::third}) {
    SettingsWriter writer(registry, run);
    settingsValues(std::as_const(placed), writer);
  }
}

void writeProgramFolder(Registry& registry, std::u16string_view programFolder) {
  registry.writeString(kUser, kSettingsKey, u"progDir", programFolder, KeyCreation::OnlyIfExists);
}

std::u16string autoStartCommand(std::u16string_view programPath) {
  // Unquoted, Windows would try "C:\Program.exe" for a path with blanks.
  if (programPath.find(u' ') == std::u16string_view::npos) return std::u16string(programPath);
  return u"\"" + std::u16string(programPath) + u"\"";
}

bool addAutoStartEntry(Registry& registry, std::u16string_view programPath) {
  registry.deleteValue(kUser, kRunKey, kRunValueName);
  return registry.writeString(kUser, kRunKey, kRunValueName, autoStartCommand(programPath),
                              KeyCreation::CreateIfMissing);
}

bool removeAutoStartEntry(Registry& registry) { return registry.deleteValue(kUser, kRunKey, kRunValueName); }

bool isKeyruneInstalled(Registry& registry) { return registry.keyExists(kUser, kKeyruneKey); }

bool isKeyruneRunning(Processes& processes) { return processes.isProcessRunning(u"Keyrune+"); }

}  // namespace tolvane
