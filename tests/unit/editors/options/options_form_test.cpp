#include "editors/options/options_form.h"

#include <gtest/gtest.h>

#include "library/settings/settings_store.h"
#include "support/fake_registry.h"

namespace tolvane {
namespace {

using test::FakeRegistry;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr char16_t kProgram[] = u"C:\\Users\\Ann\\Tolvane\\Tolvane.exe";

const std::u16string* runValue(const FakeRegistry& registry) {
  const FakeRegistry::Value* value = registry.find(kUser, kRunKey, kRunValueName);
  return value ? &std::get<std::u16string>(*value) : nullptr;
}

TEST(OptionsForm, OpensWithTheSettingsAndOkStoresEverySwitch) {
  Settings settings;
  settings.alwaysOnTop = true;
  settings.promptSave = true;
  settings.makeBackup = false;
  const OptionsForm opened = optionsFormFor(settings);
  EXPECT_TRUE(opened.alwaysOnTop);
  EXPECT_TRUE(opened.promptSave);
  EXPECT_FALSE(opened.makeBackup);
  EXPECT_FALSE(opened.deleteDebugLog);

  const OptionsForm form{false, false, true, true, true, true, true, false, true};
  FakeRegistry registry;
  const OptionsOutcome outcome = applyOptions(settings, form, registry, kProgram);
  Settings expected = settings;
  expected.alwaysOnTop = false;
  expected.exitSystray = expected.doDebugLog = expected.doActivityLog = expected.minimizeOnStart = true;
  expected.promptSave = false;
  expected.makeBackup = true;
  EXPECT_EQ(outcome.settings, expected);
  EXPECT_TRUE(outcome.deleteDebugLog);
}

TEST(OptionsForm, AutoStartRewritesTheRunValueWithTheProgramsPathAndUncheckingRemovesAnyOldOne) {
  FakeRegistry registry;
  registry.set(kUser, kRunKey, kRunValueName, std::u16string(u"D:\\Old place\\Tolvane.exe"));
  OptionsForm form;
  form.autoStart = true;
  Settings settings = applyOptions(Settings{}, form, registry, kProgram).settings;
  EXPECT_TRUE(settings.autoStart);
  ASSERT_NE(runValue(registry), nullptr);
  EXPECT_EQ(*runValue(registry), kProgram);

  // A value an earlier copy wrote from somewhere else goes too.
  registry.set(kUser, kRunKey, kRunValueName, std::u16string(u"D:\\Old place\\Tolvane.exe"));
  form.autoStart = false;
  settings = applyOptions(settings, form, registry, kProgram).settings;
  EXPECT_FALSE(settings.autoStart);
  EXPECT_EQ(runValue(registry), nullptr);
}

TEST(OptionsForm, ARunKeyThatCannotBeWrittenLeavesAutoStartAsItWas) {
  FakeRegistry registry;
  registry.makeReadOnly(kUser, kRunKey);
  OptionsForm form;
  form.autoStart = true;
  EXPECT_FALSE(applyOptions(Settings{}, form, registry, kProgram).settings.autoStart);
  Settings on;
  on.autoStart = true;
  form.autoStart = false;
  EXPECT_TRUE(applyOptions(on, form, registry, kProgram).settings.autoStart);
  EXPECT_EQ(runValue(registry), nullptr);
}

}  // namespace
}  // namespace tolvane
