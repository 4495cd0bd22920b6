#include "tools/tolvanectl/tolvanectl.h"

#include <gtest/gtest.h>

#include "library/chore_files.h"
#include "library/settings/settings_store.h"
#include "support/fake_files.h"
#include "support/fake_key_names.h"
#include "support/fake_registry.h"
#include "support/fake_time.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

class Tolvanectl : public ::testing::Test {
 protected:
  Tolvanectl() { files.addFolder(u"D"); }

  ToolResult run(std::u16string command, std::u16string dir = u"D") {
    const std::vector<std::u16string> args{std::move(command), std::move(dir)};
    return runTolvanectl(args, services);
  }

  void putLibrary(const std::vector<Chore>& chores, const std::vector<ChoreList>& lists) {
    files.putText(u"D/_TolvaneChores.xml", choreFileText(chores));
    files.putText(u"D/_TolvaneChoreLists.xml", choreListFileText(lists, time));
  }

  test::FakeFiles files;
  test::FakeKeyNames keys;
  test::FakeTime time{LocalTime{}};
  ToolServices services{files, keys, time, u'/'};
};

TEST_F(Tolvanectl, CheckCountsRecordsAndNamesEveryProblem) {
  ToolResult result = run(u"check");
  EXPECT_EQ(result.out, u"chores: 0, lists: 0\n");
  EXPECT_EQ(result.exitCode, 0);

  const Chore a = test::makeChore(u"a");
  putLibrary({a}, {test::makeList(u"L", {a, test::makeChore(u"gone")})});
  result = run(u"check");
  EXPECT_EQ(result.out, u"list \"L\": step \"gone\" dropped (no such chore)\nchores: 1, lists: 1\n");
  EXPECT_EQ(result.exitCode, 0);

  files.putText(u"D/_TolvaneChoreLists.xml", u"<ChoreLists><Chorelist></ChoreLists>");
  result = run(u"check");
  EXPECT_EQ(result.out,
            u"_TolvaneChoreLists.xml could not be read: End tag does not correspond to Chorelist (line 1, column 24)."
            u"\nchores: 1, lists: 0\n");
  EXPECT_EQ(result.exitCode, 1);

  files.remove(u"D/_TolvaneChores.xml");
  result = run(u"check");
  EXPECT_EQ(result.out,
            u"_TolvaneChoreLists.xml is ignored, because _TolvaneChores.xml is missing.\n"
            u"chores: 0, lists: 0\n");
  EXPECT_EQ(result.exitCode, 1);
}

TEST_F(Tolvanectl, ResaveNormalisesButNeverWritesOverWhatItCouldNotRead) {
  const Chore a = test::makeChore(u"a");
  putLibrary({a}, {test::makeList(u"L", {a})});
  const std::string listBytes = *files.bytes(u"D/_TolvaneChoreLists.xml");
  files.putText(u"D/_TolvaneChores.xml", u"\xFEFF<Chores>  <Chore name=\"a\"><verb>Do nothing</verb>"
                                         u"<type>17</type></Chore></Chores>");
  ToolResult result = run(u"resave");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, u"chores: 1, lists: 1\nwritten: _TolvaneChores.xml, _TolvaneChoreLists.xml\n");
  Chore normalised = a;
  normalised.keyRepeat = 0;  // no key to repeat
  EXPECT_EQ(fromFileBytes(*files.bytes(u"D/_TolvaneChores.xml")).text, choreFileText(std::vector<Chore>{normalised}));
  EXPECT_EQ(files.bytes(u"D/_TolvaneChoreLists.xml"), listBytes);

  const int writes = files.replaceCount();
  files.putText(u"D/_TolvaneChores.xml", u"<Chores><Chore name=\"a\"></Chores>");
  result = run(u"resave");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find(u"_TolvaneChores.xml could not be read: End tag does not correspond to Chore"),
            std::u16string::npos);
  EXPECT_EQ(files.replaceCount(), writes);

  files.remove(u"D/_TolvaneChores.xml");
  EXPECT_EQ(run(u"resave").exitCode, 1);
  EXPECT_EQ(files.replaceCount(), writes);
  EXPECT_EQ(files.bytes(u"D/_TolvaneChoreLists.xml"), listBytes);

  // A chore file that is there but cannot be read is not taken for absent.
  putLibrary({a}, {});
  files.failRead(u"D/_TolvaneChores.xml");
  result = run(u"resave");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find(u"_TolvaneChores.xml could not be read: the file cannot be opened."), std::u16string::npos);

  test::FakeFiles fresh;
  fresh.addFolder(u"D");
  fresh.failReplace(u"D/_TolvaneChoreLists.xml");
  ToolServices freshServices{fresh, keys, time, u'/'};
  const std::vector<std::u16string> args{u"resave", u"D"};
  result = runTolvanectl(args, freshServices);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, u"_TolvaneChoreLists.xml: could not be written (Reason 5.); neither file was changed\n");
}

TEST_F(Tolvanectl, ShowPrintsChoresThenListsSeparatedByBlankLines) {
  Chore a = test::exploreChore(u"a", u"C:\\A");
  a.hotKey = {0x74, 0};
  ChoreList list = test::makeList(u"L", {a});
  list.schedule.runRepeatCount = 2;
  putLibrary({a, test::makeChore(u"b")}, {list});
  const ToolResult result = run(u"show");
  EXPECT_EQ(result.out,
            u"[Explore a folder]a\n[HotKey]F5\n[Object]C:\\A\n[Chore list]\nL\n\n"
            u"[Do nothing]b\n[Chore list]\n\n"
            u"L, [Chores]1\n[RepeatCount]2\n");
  EXPECT_EQ(result.exitCode, 0);
}

// The rules themselves are lint_test's; here what the command reads and
// how it ends.
TEST_F(Tolvanectl, LintReadsAsTheProgramDoesAndExitsWithThreeOnFindings) {
  ToolResult result = run(u"lint");
  EXPECT_EQ(result.out, u"findings: 0\n");
  EXPECT_EQ(result.exitCode, 0);

  Chore a = test::makeChore(u"a");
  a.hotKey = {'K', kHotKeyControl | kHotKeyAlt};
  putLibrary({a}, {test::makeList(u"L", {a, test::makeChore(u"gone")})});
  result = run(u"lint");
  EXPECT_EQ(result.out, u"list \"L\": step \"gone\" dropped (no such chore)\nfindings: 1\n");
  EXPECT_EQ(result.exitCode, 3);

  // The master key, where the settings can be read.
  test::FakeRegistry registry;
  registry.set(RegistryRoot::CurrentUser, kSettingsKey, u"masterhostkeyCode", std::uint32_t{'K'});
  registry.set(RegistryRoot::CurrentUser, kSettingsKey, u"masterhostkeyModifier", std::uint32_t{6});
  services.registry = &registry;
  EXPECT_NE(run(u"lint").out.find(u"chore \"a\": Hotkey: Ctrl + Alt + K is already used by \"Tolvane\".\n"),
            std::u16string::npos);

  // Without a folder, the current one.
  const Chore b = test::makeChore(u"b");
  files.putText(u"_TolvaneChores.xml", choreFileText(std::vector<Chore>{b, b}));
  result = runTolvanectl(std::vector<std::u16string>{u"lint"}, services);
  EXPECT_EQ(result.out, u"chore \"b\": Name: \"b\" is already used.\nfindings: 1\n");

  // A file that did not load is said instead of findings on what is left.
  files.putText(u"D/_TolvaneChoreLists.xml", u"<ChoreLists><Chorelist></ChoreLists>");
  result = run(u"lint");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, u"");
  EXPECT_NE(result.err.find(u"_TolvaneChoreLists.xml could not be read"), std::u16string::npos);
}

TEST_F(Tolvanectl, UsageAndMissingFoldersExitWithTwo) {
  EXPECT_EQ(run(u"frobnicate").exitCode, 2);
  EXPECT_EQ(run(u"frobnicate").err, u"usage: tolvanectl check|resave|show DIR\n       tolvanectl lint [DIR]\n       tolvanectl run|stop NAME  (Windows only)\n");
  EXPECT_EQ(runTolvanectl(std::vector<std::u16string>{u"lint", u"D", u"D"}, services).exitCode, 2);
  EXPECT_EQ(runTolvanectl(std::vector<std::u16string>{u"check"}, services).exitCode, 2);
  const ToolResult missing = run(u"check", u"nowhere");
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.err, u"tolvanectl: cannot read folder \"nowhere\"\n");
}

}  // namespace
}  // namespace tolvane
