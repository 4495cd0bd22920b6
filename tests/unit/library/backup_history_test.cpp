#include "library/backup_history.h"

#include <gtest/gtest.h>

#include "base/format.h"
#include "base/text.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_time.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

using test::FakeFiles;
using test::FakePrompts;

constexpr std::u16string_view kFolder = u"P\\";

class BackupHistory : public ::testing::Test {
 protected:
  BackupHistory() { files.addFolder(u"P"); }

  // `version` chores and one list whose steps name them all: an entry that
  // mixed two versions would drop steps.
  void writeFiles(int version, std::u16string_view suffix = u"") {
    ChoreLibrary library;
    ChoreList list = test::makeList(u"L");
    for (int i = 1; i <= version; ++i) {
      library.appendChore(test::makeChore(formatText(u"c%d", i)));
      list.steps.push_back(test::makeStep(library.choreAt(i - 1)));
    }
    library.appendChoreList(list);
    FakeFiles written;
    saveChoreFiles(library, written, time);
    files.put(choreFilePath(kFolder) + std::u16string(suffix), *written.bytes(kChoreFileName));
    files.put(choreListFilePath(kFolder) + std::u16string(suffix), *written.bytes(kChoreListFileName));
  }

  // "N:v" per entry, newest first: N its number ("p" when pinned), v the
  // chores its pair loads with ("!" when a step is dropped).
  std::string history() {
    std::string text;
    for (const BackupEntry& entry : backupEntries(files, kFolder)) {
      ChoreLibrary loaded;
      const ChoreFilesReport read = readChoreFilePair(loaded, {files, time, silent}, entry.choreFile, entry.listFile);
      text += (text.empty() ? "" : " ") + std::to_string(entry.sequence) + (entry.pinned ? "p:" : ":") +
              std::to_string(read.chores.records) + (read.droppedSteps.empty() ? "" : "!");
    }
    return text;
  }

  test::FakeTime time{LocalTime{2026, 6, 15, 12}};
  test::FakeTime setBack{LocalTime{2025, 1, 1, 8}};
  FakeFiles files;
  FakePrompts prompts;
  SilentLogSink silent;
};

TEST_F(BackupHistory, PairsAreAddedPinnedAndPrunedAsClosesComeAndGo) {
  writeFiles(1);
  writeFiles(1, u".backup");  // an earlier version's one backup
  const struct {
    int version;  // of the files at this close
    bool guardedRun, saved, clockSetBack;
    std::string expected;
  } closes[] = {
      {1, false, false, false, "0:1"},              // identical: nothing added
      {2, false, true, false, "2:2 1:1"},           // the old backup is kept as the first entry
      {2, false, false, false, "2:2 1:1"},
      {3, false, true, false, "3:3 2:2 1:1"},
      {1, true, true, false, "3p:3 2:2 1:1"},       // a guarded run wrote its near-empty library
      {1, false, false, false, "3p:3 2:2 1:1"},     // still unconfirmed by a save
      {1, true, false, false, "3p:3 2:2 1:1"},
      {4, false, true, false, "4:4 3p:3 2:2 1:1"},  // saved: the user's library again
      {5, false, true, true, "5:5 4:4 3p:3 2:2 1:1"},
      {6, false, true, true, "6:6 5:5 4:4 3p:3 2:2 1:1"},
      {7, false, true, false, "7:7 6:6 5:5 4:4 3p:3 2:2 1:1"},
      {8, false, true, false, "8:8 7:7 6:6 5:5 4:4 3p:3 2:2 1:1"},
      {9, false, true, false, "9:9 8:8 7:7 6:6 5:5 4:4 3p:3 2:2 1:1"},
      {10, false, true, false, "10:10 9:9 8:8 7:7 6:6 5:5 4:4 3p:3 2:2 1:1"},
      {11, false, true, false, "11:11 10:10 9:9 8:8 7:7 6:6 5:5 4:4 3p:3 2:2"},
      {12, false, false, false, "12:12 11:11 10:10 9:9 8:8 7:7 6:6 5:5 4:4 3p:3"},
      {13, false, true, false, "13:13 12:12 11:11 10:10 9:9 8:8 7:7 6:6 5:5 4:4 3p:3"},
  };
  for (const auto& c : closes) {
    writeFiles(c.version);
    backUpOnClose(files, prompts, c.clockSetBack ? setBack : time, {c.guardedRun, c.saved}, kFolder);
    EXPECT_EQ(history(), c.expected) << "version " << c.version;
    const BackupEntry newest = backupEntries(files, kFolder).front();
    EXPECT_EQ(files.bytes(choreFilePath(kFolder) + u".backup"), files.bytes(newest.choreFile));
    EXPECT_EQ(files.bytes(choreListFilePath(kFolder) + u".backup"), files.bytes(newest.listFile));
  }
  EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(BackupHistory, FailedCopiesLeaveNoHalfEntryAndAMissingListFileIsNoFailure) {
  writeFiles(1);
  files.failCopyTo(u"P\\_TolvaneChoreLists.xml.backup-0001-20260615-120000", 5);
  backUpOnClose(files, prompts, time, {}, kFolder);
  EXPECT_EQ(history(), "");
  ASSERT_EQ(prompts.shown().size(), 1u);
  EXPECT_EQ(prompts.shown()[0].kind, FakePrompts::Kind::Warning);
  EXPECT_EQ(prompts.shown()[0].text, u"Windows CopyFile error 00000005 in makeBackup. ");
  EXPECT_EQ(prompts.shown()[0].caption, u"Tolvane Warning!");

  files.clearFailures();
  files.put(choreListFilePath(kFolder) + u".backup", "a list backup of another close");
  files.remove(choreListFilePath(kFolder));
  backUpOnClose(files, prompts, time, {}, kFolder);
  EXPECT_EQ(history(), "1:1");
  EXPECT_FALSE(files.fileExists(choreListFilePath(kFolder) + u".backup"));
  EXPECT_EQ(prompts.shown().size(), 1u);
}

}  // namespace
}  // namespace tolvane
