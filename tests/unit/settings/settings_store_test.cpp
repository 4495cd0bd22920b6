#include "library/settings/settings_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_registry.h"

namespace tolvane {
namespace {

using test::FakeRegistry;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

class FakeProcesses : public Processes {
 public:
  bool isProcessRunning(std::u16string_view namePart) override {
    asked = namePart;
    return running;
  }
  std::u16string asked;
  bool running = false;
};

TEST(SettingsStore, NoKeyAtAllGivesTheDefaultsAndTheMasterHotKeyCtrlShiftRight) {
  FakeRegistry registry;
  Settings settings;
  PlacementRect placement{9, 9, 9, 9};
  loadSettings(registry, settings, placement);

  Settings expected;
  expected.watchLogMax = 5;  // 0 falls back to defWatchLogMax
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(placement, PlacementRect{});
  EXPECT_EQ(settings.treeBkColor, 0xAAC8BEu);
  EXPECT_EQ(settings.maxActivityLogs, 500);
  EXPECT_EQ(settings.masterHotKey().virtualKey, 0x27);
  EXPECT_EQ(settings.masterHotKey().modifiers, 0x0B);
  EXPECT_TRUE(settings.makeBackup);
  EXPECT_FALSE(settings.doActivityLog);
}

TEST(SettingsStore, ReadsInTheirOwnOrderAndWritesInAnother) {
  FakeRegistry registry;
  Settings settings;
  PlacementRect placement;
  loadSettings(registry, settings, placement);
  EXPECT_THAT(registry.reads,
              ElementsAreArray(std::vector<std::u16string>{
                  u"left", u"right", u"top", u"bottom", u"alwaysOnTop", u"autoStart", u"exitSystray", u"treeBkColor",
                  u"doDebugLog", u"doActivityLog", u"doProcWatch", u"doFolderWatch", u"watchLogMax",
                  u"defWatchLogMax", u"progWidth", u"progHeight", u"minimizeOnStart", u"promptSave",
                  u"promptFolderChore", u"scanDesktop", u"makeBackup", u"deleteOnWatch", u"bhoWait", u"defaultDelay",
                  u"maxActivityLogs", u"masterhostkeyCode", u"masterhostkeyModifier", u"choreExpanded",
                  u"choreListExpanded", u"lastFolder", u"lastChore", u"lastChoreList", u"lastSelected"}));

  saveSettings(registry, settings, placement);
  EXPECT_THAT(registry.writes,
              ElementsAreArray(std::vector<std::u16string>{
                  u"left", u"right", u"top", u"bottom", u"alwaysOnTop", u"autoStart", u"exitSystray", u"treeBkColor",
                  u"doDebugLog", u"doActivityLog", u"doProcWatch", u"doFolderWatch", u"watchLogMax",
                  u"defWatchLogMax", u"progWidth", u"progHeight", u"minimizeOnStart", u"promptSave",
                  u"promptFolderChore", u"scanDesktop", u"makeBackup", u"deleteOnWatch", u"bhoWait", u"defaultDelay",
                  u"choreExpanded", u"choreListExpanded", u"maxActivityLogs", u"lastFolder", u"lastChore",
                  u"lastChoreList", u"lastSelected", u"masterhostkeyCode", u"masterhostkeyModifier"}));
}

TEST(SettingsStore, SavedValuesReadBackIncludingNegativeEdgesAndThePlacement) {
  FakeRegistry registry;
  Settings saved;
  saved.exitSystray = true;
  saved.treeBkColor = 0x00112233;
  saved.maxActivityLogs = 7;
  saved.masterhostkeyCode = 0x4B;
  saved.masterhostkeyModifier = 0x06;
  saved.watchLogMax = 3;
  saved.lastChoreList = u"Morning";
  saved.lastFolder = u"C:\\Docs";
  saveSettings(registry, saved, PlacementRect{-1200, 30, -200, 630});

  EXPECT_EQ(std::get<std::uint32_t>(*registry.find(kUser, kSettingsKey, u"left")), 0xFFFFFB50u);
  EXPECT_EQ(std::get<std::uint32_t>(*registry.find(kUser, kSettingsKey, u"exitSystray")), 1u);

  Settings loaded;
  PlacementRect placement;
  loadSettings(registry, loaded, placement);
  EXPECT_EQ(placement, (PlacementRect{-1200, 30, -200, 630}));
  saved.left = -1200;
  saved.top = 30;
  saved.right = -200;
  saved.bottom = 630;
  EXPECT_EQ(loaded, saved);
}

TEST(SettingsStore, WatchLogMaxFallsBackToItsLimitWhenZeroOrAbove) {
  for (auto [stored, expected] : {std::pair{0u, 5u}, {9u, 5u}, {3u, 3u}, {5u, 5u}}) {
    FakeRegistry registry;
    registry.set(kUser, kSettingsKey, u"watchLogMax", stored);
    registry.set(kUser, kSettingsKey, u"defWatchLogMax", 5u);
    Settings settings;
    PlacementRect placement;
    loadSettings(registry, settings, placement);
    EXPECT_EQ(settings.watchLogMax, expected) << stored;
  }
}

TEST(SettingsStore, SentinelReadsAsEmptyAndOverlongTextsAreCut) {
  FakeRegistry registry;
  registry.set(kUser, kSettingsKey, u"lastChore", std::u16string(u"no path found"));
  registry.set(kUser, kSettingsKey, u"lastFolder", std::u16string(400, u'x'));
  registry.set(kUser, kSettingsKey, u"lastSelected", std::u16string(u"Chore Lists"));
  // A value of the wrong type is as good as missing.
  registry.set(kUser, kSettingsKey, u"maxActivityLogs", std::u16string(u"12"));
  Settings settings;
  settings.lastChore = u"before";
  PlacementRect placement;
  loadSettings(registry, settings, placement);
  EXPECT_EQ(settings.lastChore, u"");
  EXPECT_EQ(settings.lastFolder, std::u16string(259, u'x'));
  EXPECT_EQ(settings.lastSelected, u"Chore Lists");
  EXPECT_EQ(settings.maxActivityLogs, 500);

  settings.lastChoreList = std::u16string(300, u'y');
  saveSettings(registry, settings, placement);
  EXPECT_EQ(std::get<std::u16string>(*registry.find(kUser, kSettingsKey, u"lastChoreList")).size(), 259u);
}

TEST(SettingsStore, ProgramFolderIsWrittenOnlyIntoAnExistingKey) {
  FakeRegistry registry;
  writeProgramFolder(registry, u"C:\\Tolvane\\");
  EXPECT_EQ(registry.find(kUser, kSettingsKey, u"progDir"), nullptr);

  saveSettings(registry, Settings{}, PlacementRect{});
  writeProgramFolder(registry, u"C:\\Tolvane\\");
  ASSERT_NE(registry.find(kUser, kSettingsKey, u"progDir"), nullptr);
  EXPECT_EQ(std::get<std::u16string>(*registry.find(kUser, kSettingsKey, u"progDir")), u"C:\\Tolvane\\");
}

TEST(SettingsStore, AutoStartEntryAndPasswordManagerChecks) {
  FakeRegistry registry;
  EXPECT_TRUE(addAutoStartEntry(registry, u"C:\\Program Files\\Tolvane\\Tolvane.exe"));
  EXPECT_EQ(std::get<std::u16string>(*registry.find(kUser, kRunKey, u"Tolvane")),
            u"\"C:\\Program Files\\Tolvane\\Tolvane.exe\"");
  EXPECT_TRUE(addAutoStartEntry(registry, u"C:\\Tolvane.exe"));
  EXPECT_EQ(std::get<std::u16string>(*registry.find(kUser, kRunKey, u"Tolvane")), u"C:\\Tolvane.exe");
  EXPECT_TRUE(removeAutoStartEntry(registry));
  EXPECT_EQ(registry.find(kUser, kRunKey, u"Tolvane"), nullptr);

  EXPECT_FALSE(isKeyruneInstalled(registry));
  registry.addKey(kUser, kKeyruneKey);
  EXPECT_TRUE(isKeyruneInstalled(registry));

  FakeProcesses processes;
  EXPECT_FALSE(isKeyruneRunning(processes));
  processes.running = true;
  EXPECT_TRUE(isKeyruneRunning(processes));
  EXPECT_EQ(processes.asked, u"Keyrune+");
}

}  // namespace
}  // namespace tolvane
