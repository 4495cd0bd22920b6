#include "library/settings/settings_store.h"

#include <cstdint>

namespace tolvane {

namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

class SettingsReader {
 public:
  explicit SettingsReader(Registry& registry) : registry_(registry) {}

  // Every number is a DWORD in the registry; the record's narrower or
  // signed fields take its bits.
  template <typename T>
  void number(std::u16string_view name, T& field) {
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

class SettingsWriter {
 public:
  explicit SettingsWriter(Registry& registry) : registry_(registry) {}

  void number(std::u16string_view name, std::int64_t value) {
    registry_.writeDword(kUser, kSettingsKey, name, static_cast<std::uint32_t>(value), KeyCreation::CreateIfMissing);
  }
  void text(std::u16string_view name, std::u16string_view value) {
    registry_.writeString(kUser, kSettingsKey, name, value.substr(0, kSettingTextMax), KeyCreation::CreateIfMissing);
  }

 private:
  Registry& registry_;
};

}  // namespace

void applyWatchLogMax(Settings& settings) {
  if (settings.watchLogMax == 0 || settings.watchLogMax > settings.defWatchLogMax) {
    settings.watchLogMax = settings.defWatchLogMax;
  }
}

void loadSettings(Registry& registry, Settings& s, PlacementRect& placement) {
  SettingsReader read(registry);
  read.number(u"left", s.left);
  read.number(u"right", s.right);
  read.number(u"top", s.top);
  read.number(u"bottom", s.bottom);
  read.flag(u"alwaysOnTop", s.alwaysOnTop);
  read.flag(u"autoStart", s.autoStart);
  read.flag(u"exitSystray", s.exitSystray);
  read.number(u"treeBkColor", s.treeBkColor);
  read.flag(u"doDebugLog", s.doDebugLog);
  read.flag(u"doActivityLog", s.doActivityLog);
  read.flag(u"doProcWatch", s.doProcWatch);
  read.flag(u"doFolderWatch", s.doFolderWatch);
  read.number(u"watchLogMax", s.watchLogMax);
  read.number(u"defWatchLogMax", s.defWatchLogMax);
  applyWatchLogMax(s);
  read.number(u"progWidth", s.progWidth);
  read.number(u"progHeight", s.progHeight);
  read.flag(u"minimizeOnStart", s.minimizeOnStart);
  read.flag(u"promptSave", s.promptSave);
  read.flag(u"promptFolderChore", s.promptFolderChore);
  read.flag(u"scanDesktop", s.scanDesktop);
  read.flag(u"makeBackup", s.makeBackup);
  read.flag(u"deleteOnWatch", s.deleteOnWatch);
  read.number(u"bhoWait", s.bhoWait);
  read.number(u"defaultDelay", s.defaultDelay);
  read.number(u"maxActivityLogs", s.maxActivityLogs);
  read.number(u"masterhostkeyCode", s.masterhostkeyCode);
  read.number(u"masterhostkeyModifier", s.masterhostkeyModifier);
  read.flag(u"choreExpanded", s.choreExpanded);
  read.flag(u"choreListExpanded", s.choreListExpanded);
  read.text(u"lastFolder", s.lastFolder);
  read.text(u"lastChore", s.lastChore);
  read.text(u"lastChoreList", s.lastChoreList);
  read.text(u"lastSelected", s.lastSelected);
  placement = {s.left, s.top, s.right, s.bottom};
}

void saveSettings(Registry& registry, const Settings& s, const PlacementRect& placement) {
  SettingsWriter write(registry);
  write.number(u"left", placement.left);
  write.number(u"right", placement.right);
  write.number(u"top", placement.top);
  write.number(u"bottom", placement.bottom);
  write.number(u"alwaysOnTop", s.alwaysOnTop);
  write.number(u"autoStart", s.autoStart);
  write.number(u"exitSystray", s.exitSystray);
  write.number(u"treeBkColor", s.treeBkColor);
  write.number(u"doDebugLog", s.doDebugLog);
  write.number(u"doActivityLog", s.doActivityLog);
  write.number(u"doProcWatch", s.doProcWatch);
  write.number(u"doFolderWatch", s.doFolderWatch);
  write.number(u"watchLogMax", s.watchLogMax);
  write.number(u"defWatchLogMax", s.defWatchLogMax);
  write.number(u"progWidth", s.progWidth);
  write.number(u"progHeight", s.progHeight);
  write.number(u"minimizeOnStart", s.minimizeOnStart);
  write.number(u"promptSave", s.promptSave);
  write.number(u"promptFolderChore", s.promptFolderChore);
  write.number(u"scanDesktop", s.scanDesktop);
  write.number(u"makeBackup", s.makeBackup);
  write.number(u"deleteOnWatch", s.deleteOnWatch);
  write.number(u"bhoWait", s.bhoWait);
  write.number(u"defaultDelay", s.defaultDelay);
  write.number(u"choreExpanded", s.choreExpanded);
  write.number(u"choreListExpanded", s.choreListExpanded);
  write.number(u"maxActivityLogs", s.maxActivityLogs);
  write.text(u"lastFolder", s.lastFolder);
  write.text(u"lastChore", s.lastChore);
  write.text(u"lastChoreList", s.lastChoreList);
  write.text(u"lastSelected", s.lastSelected);
  write.number(u"masterhostkeyCode", s.masterhostkeyCode);
  write.number(u"masterhostkeyModifier", s.masterhostkeyModifier);
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
