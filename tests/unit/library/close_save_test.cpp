#include "library/close_save.h"

#include <gtest/gtest.h>

#include "library/backup_history.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_time.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane {
namespace {

using test::FakeFiles;
using test::FakePrompts;
using Kind = FakePrompts::Kind;

// Retry works once the program that held the file has let it go.
struct ReleasingPrompts final : FakePrompts {
  FakeFiles& files;
  explicit ReleasingPrompts(FakeFiles& f) : files(f) {}
  bool askRetryCancel(std::u16string_view text, std::u16string_view caption) override {
    const bool retry = FakePrompts::askRetryCancel(text, caption);
    if (retry) files.clearFailures();
    return retry;
  }
};

// The question, the Retry box and the session's copies: a failed save is
// never silent, and Cancel is the only answer that keeps the program up.
TEST(CloseSave, AFailedSaveIsNeverSilent) {
  const struct {
    CloseKind kind;
    bool changed, promptSave, fileHeld;
    std::vector<bool> answers;
    bool goesOn;
    std::vector<Kind> boxes;
    bool saved, unsavedCopies, backedUp;
  } cases[] = {
      {CloseKind::Exit, true, false, true, {false}, false, {Kind::RetryCancel}, false, false, false},
      {CloseKind::Exit, true, false, true, {true}, true, {Kind::RetryCancel}, true, false, true},
      {CloseKind::Exit, true, true, true, {true, false}, false, {Kind::Question, Kind::RetryCancel}, false, false, false},
      {CloseKind::Exit, true, true, true, {false}, true, {Kind::Question}, false, false, true},
      {CloseKind::Exit, false, true, true, {}, true, {}, false, false, true},
      {CloseKind::SessionEnd, true, true, true, {}, true, {}, false, true, true},
      {CloseKind::SessionEnd, true, true, false, {}, true, {}, true, false, true},
  };
  test::FakeTime time{LocalTime{2026, 6, 15, 12}};
  for (const auto& c : cases) {
    const auto where = testing::Message() << "case " << (&c - cases);
    FakeFiles files;
    files.addFolder(u"P");
    files.put(u"P\\_TolvaneChores.xml", "old chores");
    files.put(u"P\\_TolvaneChoreLists.xml", "old lists");
    if (c.fileHeld) files.failReplace(u"P\\_TolvaneChores.xml", 32);
    ReleasingPrompts prompts(files);
    for (const bool answer : c.answers) prompts.answer(answer);
    test::RecordingLogSink log;
    ChoreLibrary library;
    library.appendChore(test::makeChore(u"new"));
    ChoreFileGuard guard;
    const bool goesOn =
        saveOnClose(library, {files, time, log}, prompts, guard, c.kind, {c.changed, c.promptSave, true}, u"P\\");
    EXPECT_EQ(goesOn, c.goesOn) << where;
    std::vector<Kind> boxes;
    for (const auto& shown : prompts.shown()) boxes.push_back(shown.kind);
    EXPECT_EQ(boxes, c.boxes) << where;
    if (!boxes.empty() && boxes.back() == Kind::RetryCancel) {
      EXPECT_EQ(prompts.shown().back().caption, u"Tolvane Warning!");
      EXPECT_EQ(prompts.shown().back().text,
                u"Your chores could not be saved: P\\_TolvaneChores.xml cannot be written.\nReason 32. (error "
                u"00000020)\n\nClose any program that uses the file and click Retry, or click Cancel to go on "
                u"working with Tolvane: your changes stay in it.")
          << where;
    }
    EXPECT_EQ(files.bytes(u"P\\_TolvaneChores.xml") != "old chores", c.saved) << where;
    EXPECT_EQ(files.bytes(u"P\\_TolvaneChoreLists.xml") != "old lists", c.saved) << where;
    const auto unsaved = files.bytes(u"P\\_TolvaneChores.xml.unsaved-20260615-120000");
    EXPECT_EQ(unsaved.has_value(), c.unsavedCopies) << where;
    if (unsaved) {
      EXPECT_NE(unsaved->find("n\0e\0w\0", 0, 6), std::string::npos) << where;
    }
    EXPECT_EQ(log.find("could not be saved when Windows ended") != std::nullopt, c.unsavedCopies) << where;
    EXPECT_EQ(backupEntries(files, u"P\\").empty(), !c.backedUp) << where;
  }
}

}  // namespace
}  // namespace tolvane
