#include "editors/file_op/file_op_editor.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Paths = std::vector<std::u16string>;

FileOperation copyOf(Paths sources, std::u16string destination = {}) {
  return FileOperation{FILEOP_COPY, std::move(destination), false, std::move(sources)};
}

TEST(FileOpEditor, SourcesAreSortedWithoutDuplicatesWhetherGivenOrAdded) {
  FileOpEditor editor(copyOf({u"C:\\b.txt", u"C:\\A.txt", u"C:\\b.txt", u"C:\\a.txt"}));
  EXPECT_EQ(editor.sources(), (Paths{u"C:\\A.txt", u"C:\\a.txt", u"C:\\b.txt"}));
  EXPECT_EQ(editor.selected(), 0);

  EXPECT_EQ(editor.addSources({u"C:\\c.txt", u"C:\\a.txt"}), FileOpFollowUp::FocusSources);
  EXPECT_EQ(editor.sources(), (Paths{u"C:\\A.txt", u"C:\\a.txt", u"C:\\b.txt", u"C:\\c.txt"}));
  EXPECT_EQ(editor.selected(), 1) << "the last chosen file, already there, is selected";
  EXPECT_EQ(editor.addSources({}), FileOpFollowUp::None);
}

TEST(FileOpEditor, UntouchedSourcesKeepTheirStoredOrderChangedOnesTheShownOrder) {
  const FileOperation stored = copyOf({u"C:\\b.txt", u"C:\\A.txt"}, u"D:\\");
  EXPECT_EQ(std::get<FileOperation>(FileOpEditor(stored).submit(FileOpEditor(stored).form())), stored);
  FileOpEditor added(stored);
  added.addSources({u"C:\\c.txt"});
  EXPECT_EQ(std::get<FileOperation>(added.submit(added.form())).fileOpSource, (Paths{u"C:\\A.txt", u"C:\\b.txt", u"C:\\c.txt"}));
}

TEST(FileOpEditor, ChoosingAnOperationSetsUpTheDestination) {
  struct Row {
    Paths sources;
    FileOpType type;
    FileOpFollowUp followUp;
    std::u16string destination;
    bool writable;
  };
  const Row rows[] = {
      {{u"C:\\z.txt", u"C:\\y.txt"}, FILEOP_RENAME, FileOpFollowUp::EditDestination, u"C:\\y.txt", true},
      {{}, FILEOP_RENAME, FileOpFollowUp::None, u"D:\\Old", true},
      {{u"C:\\y.txt"}, FILEOP_DELETE, FileOpFollowUp::None, u"", false},
      {{u"C:\\y.txt"}, FILEOP_MOVE, FileOpFollowUp::BrowseDestination, u"D:\\Old", false},
      {{}, FILEOP_COPY, FileOpFollowUp::None, u"D:\\Old", false},
  };
  for (const Row& row : rows) {
    FileOpEditor editor(copyOf(row.sources, u"D:\\Old"));
    EXPECT_EQ(editor.chooseType(row.type), row.followUp) << row.type;
    EXPECT_EQ(editor.destination(), row.destination) << row.type;
    EXPECT_EQ(editor.destinationWritable(), row.writable) << row.type;
    EXPECT_EQ(editor.destinationBrowsable(), row.type == FILEOP_COPY || row.type == FILEOP_MOVE) << row.type;
  }
}

TEST(FileOpEditor, AddingTheFileToRenamePutsItIntoTheDestination) {
  FileOpEditor editor(FileOperation{FILEOP_RENAME, {}, false, {}});
  EXPECT_FALSE(editor.severalSourcesAtOnce());
  EXPECT_EQ(editor.addSources({u"C:\\notes.txt"}), FileOpFollowUp::EditDestination);
  EXPECT_EQ(editor.destination(), u"C:\\notes.txt");
}

TEST(FileOpEditor, RemovingSelectsTheNextEntryOrTheLast) {
  FileOpEditor editor(copyOf({u"a", u"b", u"c"}));
  editor.select(1);
  editor.removeSelected();
  EXPECT_EQ(editor.sources(), (Paths{u"a", u"c"}));
  EXPECT_EQ(editor.selected(), 1);
  editor.removeSelected();
  EXPECT_EQ(editor.selected(), 0);
  editor.removeSelected();
  EXPECT_TRUE(editor.sources().empty());
  EXPECT_EQ(editor.selected(), -1);
  EXPECT_EQ(editor.removeSelected(), FileOpFollowUp::None);
}

TEST(FileOpEditor, AddChecksSourcesThenDestinationInOrder) {
  struct Row {
    FileOpType type;
    Paths sources;
    std::u16string destination;
    std::u16string message;  // empty with a stored result
    std::optional<FileOpField> field;
  };
  const Row rows[] = {
      {FILEOP_COPY, {}, u"", u"You must specify at least one source file.", FileOpField::Sources},
      {FILEOP_DELETE, {}, u"", u"You must specify at least one source file.", FileOpField::Sources},
      {FILEOP_COPY, {u"a"}, u"", u"", FileOpField::Destination},
      {FILEOP_RENAME, {u"a"}, u"Enter destination here.", u"", FileOpField::Destination},
      {FILEOP_DELETE, {u"a"}, u"", u"", std::nullopt},
      {FILEOP_MOVE, {u"a"}, u"D:\\", u"", std::nullopt},
  };
  for (const Row& row : rows) {
    FileOpEditor editor(FileOperation{row.type, {}, false, row.sources});
    FileOpForm form = editor.form();
    form.destination = row.destination;
    form.confirm = true;
    auto outcome = editor.submit(form);
    if (!row.field) {
      ASSERT_TRUE(std::holds_alternative<FileOperation>(outcome)) << row.type;
      EXPECT_EQ(std::get<FileOperation>(outcome), (FileOperation{row.type, row.destination, true, row.sources}));
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << row.type;
    const Refusal& refusal = std::get<Refusal>(outcome);
    EXPECT_EQ(refusal.message, row.message);
    EXPECT_TRUE(refusal.concerns(*row.field));
    if (row.field == FileOpField::Destination) {
      EXPECT_EQ(refusal.cue, u"Enter destination here.");
      EXPECT_EQ(editor.destination(), u"Enter destination here.");
    }
  }
}

}  // namespace
}  // namespace tolvane
