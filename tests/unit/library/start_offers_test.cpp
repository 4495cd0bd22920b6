#include <gtest/gtest.h>

#include "base/text.h"
#include "library/backup_history.h"
#include "library/chore_files.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_time.h"
#include "support/recording_log_sink.h"

namespace tolvane {
namespace {

using test::FakeFiles;
using test::FakePrompts;

constexpr std::u16string_view kChores = u"<Chores><Chore name=\"a\"/><Chore name=\"b\"/></Chores>";
constexpr std::u16string_view kLists =
    u"<ChoreLists><Chorelist name=\"L\" hotKey=\"0\"><choreName>b</choreName></Chorelist></ChoreLists>";
constexpr std::u16string_view kBroken = u"<Chores><Chore name=\"a\"></Chores>";

class StartOffers : public ::testing::Test {
 protected:
  StartOffers() { files.addFolder(u"P"); }

  ChoreFilesReport load() { return loadChoreFiles(library, {files, time, log}, prompts, u"P\\"); }
  std::string bytesOf(std::u16string_view text) { return toFileBytes(text); }

  test::FakeTime time{LocalTime{2026, 6, 15, 12}};
  FakeFiles files;
  FakePrompts prompts;
  test::RecordingLogSink log;
  ChoreLibrary library;
};

// Declining leaves every file as it was; the sample files are offered only
// into an empty folder, and a backup only in place of a chore file that is
// missing or cannot be read.
TEST_F(StartOffers, EachOfferComesOnlyWhereItCannotCostAFile) {
  enum Backup { None, Readable, Unreadable };
  const struct {
    std::optional<std::u16string_view> chores, lists;
    Backup backup;
    std::u16string_view question;  // how the one question starts; empty for none
    bool choresMissing;
  } cases[] = {
      {std::nullopt, std::nullopt, None, u"No chore file was found.\nWould you like", false},
      {std::nullopt, kLists, None, u"", false},
      {std::nullopt, kLists, Readable, u"_TolvaneChores.xml is missing.\n\nThe newest backup", true},
      {std::nullopt, std::nullopt, Unreadable, u"", true},
      {kBroken, kLists, Readable, u"_TolvaneChores.xml could not be read: End tag does not correspond", false},
      {kChores, kLists, Readable, u"", false},
  };
  for (const auto& c : cases) {
    FakeFiles folder;
    folder.addFolder(u"P");
    folder.putText(u"P\\sample\\_TolvaneChores.xml", kChores);
    if (c.chores) folder.putText(u"P\\_TolvaneChores.xml", *c.chores);
    if (c.lists) folder.putText(u"P\\_TolvaneChoreLists.xml", *c.lists);
    if (c.backup != None) folder.putText(u"P\\_TolvaneChores.xml.backup", c.backup == Readable ? kChores : kBroken);
    const std::vector<std::u16string> before = folder.paths();
    FakePrompts asked;
    ChoreLibrary loaded;
    const ChoreFilesReport report = loadChoreFiles(loaded, {folder, time, log}, asked, u"P\\");
    const auto where = testing::Message() << "case " << (&c - cases);
    ASSERT_EQ(asked.shown().size(), c.question.empty() ? 0u : 1u) << where;
    if (!c.question.empty()) {
      EXPECT_TRUE(asked.shown()[0].text.starts_with(c.question)) << where;
    }
    EXPECT_EQ(folder.paths(), before) << where;
    EXPECT_EQ(report.guard.choresMissing, c.choresMissing) << where;
  }
}

TEST_F(StartOffers, YesLoadsTheNewestReadableBackupAfterKeepingAsideWhatItReplaces) {
  files.putText(u"P\\_TolvaneChores.xml", kBroken);
  files.putText(u"P\\_TolvaneChoreLists.xml", u"<ChoreLists/>");
  files.setNow(LocalTime{2026, 4, 3, 9, 30});
  files.putText(u"P\\_TolvaneChores.xml.backup-0001-20260403-093000", kChores);
  files.putText(u"P\\_TolvaneChoreLists.xml.backup-0001-20260403-093000", kLists);
  files.putText(u"P\\_TolvaneChores.xml.backup-0002-20260501-000000", u"<Chores>");
  const std::string broken = bytesOf(kBroken);
  prompts.answer(true);
  const ChoreFilesReport report = load();
  ASSERT_EQ(prompts.shown().size(), 1u);
  EXPECT_EQ(prompts.shown()[0].text,
            u"_TolvaneChores.xml could not be read: End tag does not correspond to Chore (line 1, column 25).\n\n"
            u"The newest backup of your chores was saved on 3 April 2026 at 09:30 and holds 2 chores and 1 chore "
            u"list.\nDo you want to load it?\nThe files it replaces are kept aside.");
  EXPECT_EQ(report.count, 3);
  EXPECT_FALSE(report.guard.guardsRun());
  EXPECT_EQ(library.choreListAt(0).steps.size(), 1u);
  EXPECT_EQ(files.bytes(u"P\\_TolvaneChores.xml.damaged-20260615-120000"), broken);
  EXPECT_EQ(files.bytes(u"P\\_TolvaneChoreLists.xml.kept-20260615-120000"), bytesOf(u"<ChoreLists/>"));
  EXPECT_EQ(log.count("The backup saved on 3 April 2026 at 09:30 is loaded: 2 chores and 1 chore list."), 1);
}

TEST_F(StartOffers, UnsavedCopiesAreOfferedOnceLoadedOrKeptAside) {
  for (const bool yes : {true, false}) {
    FakeFiles folder;
    folder.addFolder(u"P");
    folder.putText(u"P\\_TolvaneChores.xml", u"<Chores/>");
    folder.putText(u"P\\_TolvaneChores.xml.unsaved-20260614-230000", kChores);
    folder.putText(u"P\\_TolvaneChoreLists.xml.unsaved-20260614-230000", kLists);
    FakePrompts asked;
    asked.answer(yes);
    ChoreLibrary loaded;
    loadChoreFiles(loaded, {folder, time, log}, asked, u"P\\");
    ASSERT_EQ(asked.shown().size(), 1u);
    EXPECT_TRUE(asked.shown()[0].text.starts_with(
        u"When Windows ended on 1 January 2026 at 00:00, Tolvane could not save your chores and wrote them to\n"
        u"_TolvaneChores.xml.unsaved-20260614-230000\n_TolvaneChoreLists.xml.unsaved-20260614-230000\n"));
    EXPECT_EQ(loaded.choreCount(), yes ? 2 : 0);
    EXPECT_FALSE(folder.fileExists(u"P\\_TolvaneChores.xml.unsaved-20260614-230000"));
    // What was not loaded is kept aside.
    EXPECT_EQ(folder.bytes(u"P\\_TolvaneChores.xml.kept-20260615-120000"),
              bytesOf(yes ? u"<Chores/>" : kChores));
  }
}

}  // namespace
}  // namespace tolvane
