#include <windows.h>

#include <gtest/gtest.h>

#include "library/settings/settings_store.h"
#include "platform/win32/registry/win32_registry.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr char16_t kScratchKey[] = u"Software\\Tallowmere\\TolvaneTest";

void deleteTree(std::u16string_view key) { RegDeleteTreeW(HKEY_CURRENT_USER, toWide(key).c_str()); }

class SettingsInRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    deleteTree(u"Software\\Tallowmere\\Tolvane");
    deleteTree(kScratchKey);
  }
  void TearDown() override { SetUp(); }
  Win32Registry registry;
};

TEST_F(SettingsInRegistry, RoundTripThroughTheRealKeyWithProgramFolderOnlyOnceTheKeyExists) {
  writeProgramFolder(registry, u"C:\\Tolvane\\");
  EXPECT_FALSE(registry.keyExists(kUser, kSettingsKey));

  Settings saved;
  saved.alwaysOnTop = true;
  saved.treeBkColor = 0x00102030;
  saved.maxActivityLogs = 42;
  saved.watchLogMax = 4;
  saved.masterhostkeyModifier = 0x06;
  saved.lastChoreList = u"Morgen \u00e4\u00f6\u00fc";
  saveSettings(registry, saved, PlacementRect{-300, 20, 500, 620});
  ASSERT_TRUE(registry.keyExists(kUser, kSettingsKey));
  EXPECT_EQ(registry.readDword(kUser, kSettingsKey, u"left"), 0xFFFFFED4u);

  writeProgramFolder(registry, u"C:\\Tolvane\\");
  EXPECT_EQ(registry.readString(kUser, kSettingsKey, u"progDir"), u"C:\\Tolvane\\");

  Settings loaded;
  PlacementRect placement;
  loadSettings(registry, loaded, placement);
  EXPECT_EQ(placement, (PlacementRect{-300, 20, 500, 620}));
  saved.left = -300;
  saved.top = 20;
  saved.right = 500;
  saved.bottom = 620;
  EXPECT_EQ(loaded, saved);
}

TEST_F(SettingsInRegistry, LongUnterminatedAndWronglyTypedValuesAreReadSafely) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, toWide(kSettingsKey).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const std::wstring longFolder(5000, L'f');
  RegSetValueExW(key, L"lastFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(longFolder.c_str()),
                 static_cast<DWORD>((longFolder.size() + 1) * sizeof(wchar_t)));
  // Stored without its terminator by some other tool.
  const wchar_t chore[] = {L'a', L'b', L'c'};
  RegSetValueExW(key, L"lastChore", 0, REG_SZ, reinterpret_cast<const BYTE*>(chore), sizeof(chore));
  const wchar_t sentinel[] = L"no path found";
  RegSetValueExW(key, L"lastSelected", 0, REG_SZ, reinterpret_cast<const BYTE*>(sentinel), sizeof(sentinel));
  const wchar_t number[] = L"12";
  RegSetValueExW(key, L"maxActivityLogs", 0, REG_SZ, reinterpret_cast<const BYTE*>(number), sizeof(number));
  RegCloseKey(key);

  Settings loaded;
  loaded.lastSelected = u"Chores";
  PlacementRect placement;
  loadSettings(registry, loaded, placement);
  EXPECT_EQ(loaded.lastFolder, std::u16string(259, u'f'));
  EXPECT_EQ(loaded.lastChore, u"abc");
  EXPECT_EQ(loaded.lastSelected, u"");
  EXPECT_EQ(loaded.maxActivityLogs, 500);
  EXPECT_EQ(registry.readString(kUser, kSettingsKey, u"lastFolder")->size(), 5000u);
}

TEST_F(SettingsInRegistry, RunEntryAndPasswordManagerKey) {
  EXPECT_TRUE(addAutoStartEntry(registry, u"C:\\Tolvane\\Tolvane.exe"));
  EXPECT_EQ(registry.readString(kUser, kRunKey, u"Tolvane"), u"C:\\Tolvane\\Tolvane.exe");
  EXPECT_TRUE(removeAutoStartEntry(registry));
  EXPECT_FALSE(registry.readString(kUser, kRunKey, u"Tolvane").has_value());
  EXPECT_TRUE(removeAutoStartEntry(registry));

  EXPECT_FALSE(registry.keyExists(kUser, kScratchKey));
  EXPECT_FALSE(registry.writeDword(kUser, kScratchKey, u"x", 1, KeyCreation::OnlyIfExists));
  EXPECT_TRUE(registry.writeDword(kUser, kScratchKey, u"x", 1, KeyCreation::CreateIfMissing));
  EXPECT_TRUE(registry.keyExists(kUser, kScratchKey));
}

TEST_F(SettingsInRegistry, ExpandedStringsTakeTheEnvironmentAndAKeyThatWillNotOpenGivesItsCode) {
  EXPECT_EQ(registry.readExpandedString(kUser, kScratchKey, u"Desktop").keyError, DWORD{ERROR_FILE_NOT_FOUND});
  SetEnvironmentVariableW(L"TOLV_TEST_HOME", L"C:\\Users\\me");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, toWide(kScratchKey).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const wchar_t desktop[] = L"%TOLV_TEST_HOME%\\Desktop";
  RegSetValueExW(key, L"Desktop", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(desktop), sizeof(desktop));
  RegCloseKey(key);
  const ExpandedValue expanded = registry.readExpandedString(kUser, kScratchKey, u"Desktop");
  EXPECT_EQ(expanded.value, u"C:\\Users\\me\\Desktop");
  EXPECT_EQ(expanded.keyError, 0u);
  EXPECT_FALSE(registry.readExpandedString(kUser, kScratchKey, u"Common Desktop").value);
}

}  // namespace
}  // namespace tolvane::win32
