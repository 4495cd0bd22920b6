#include "editors/file_op/win32/file_op_dlg.h"

#include <gtest/gtest.h>

#include <deque>

#include "editors/file_op/win32/file_op_ids.h"
#include "support/editor_fakes.h"
#include "win/editors/dialog_clicks.h"

namespace tolvane::win32 {
namespace {

using Paths = std::vector<std::u16string>;

// Answers the shell's dialogs from queues and remembers what was asked.
class ScriptedShellDialogs final : public ShellDialogs {
 public:
  std::deque<Paths> files;
  std::deque<std::u16string> folders;
  std::vector<OpenFileRequest> fileRequests;
  std::vector<std::u16string> folderTitles;

  Paths openFiles(HWND, const OpenFileRequest& request) override {
    fileRequests.push_back(request);
    if (files.empty()) return {};
    Paths chosen = files.front();
    files.pop_front();
    return chosen;
  }
  std::optional<ChosenFolder> browseForFolder(HWND, std::u16string_view title) override {
    folderTitles.emplace_back(title);
    if (folders.empty()) return std::nullopt;
    ChosenFolder chosen{folders.front(), {}};
    folders.pop_front();
    return chosen;
  }
};

Chore copyChore(Paths sources, std::u16string destination) {
  Chore chore;
  chore.fileOp = FileOperation{FILEOP_COPY, std::move(destination), false, std::move(sources)};
  return chore;
}

bool readOnly(HWND edit) { return (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0; }

TEST(FileOpDialog, AUserPathThroughEveryControlEndsInTheOperationStored) {
  test::EditorFakes fakes;
  const EditorContext context = fakes.context();
  ScriptedShellDialogs shell;
  CFileOpDlg dialog(context, copyChore({u"C:\\b.txt", u"C:\\a.txt"}, u"D:\\Old"), shell);
  ASSERT_NE(dialog.create(nullptr), nullptr);
  EXPECT_EQ(dialog.items(IDC_FILE_OP_SOURCES), (Paths{u"C:\\a.txt", u"C:\\b.txt"}));
  EXPECT_EQ(dialog.selectedIndex(IDC_FILE_OP_SOURCES), 0);
  EXPECT_TRUE(dialog.isChecked(IDC_FILE_OP_COPY));
  EXPECT_TRUE(readOnly(dialog.item(IDC_FILE_OP_DESTINATION)));

  click(dialog, IDC_FILE_OP_RENAME);
  EXPECT_EQ(dialog.text(IDC_FILE_OP_DESTINATION), u"C:\\a.txt");
  EXPECT_FALSE(readOnly(dialog.item(IDC_FILE_OP_DESTINATION)));
  EXPECT_EQ(GetFocus(), dialog.item(IDC_FILE_OP_DESTINATION));
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_FILE_OP_BROWSE_DESTINATION)));

  shell.folders.push_back(u"E:\\Target");
  click(dialog, IDC_FILE_OP_COPY);
  EXPECT_EQ(shell.folderTitles, Paths{u"Select the destination folder:"});
  EXPECT_EQ(dialog.text(IDC_FILE_OP_DESTINATION), u"E:\\Target");

  shell.files.push_back({u"C:\\c.txt", u"C:\\a.txt"});
  click(dialog, IDC_FILE_OP_ADD_SOURCES);
  ASSERT_EQ(shell.fileRequests.size(), 1u);
  EXPECT_EQ(shell.fileRequests[0].title, u"Select source files: ");
  EXPECT_TRUE(shell.fileRequests[0].severalFiles);
  EXPECT_EQ(dialog.items(IDC_FILE_OP_SOURCES), (Paths{u"C:\\a.txt", u"C:\\b.txt", u"C:\\c.txt"}));

  dialog.selectIndex(IDC_FILE_OP_SOURCES, 1);
  SendMessageW(dialog.item(IDC_FILE_OP_SOURCES), WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(dialog.items(IDC_FILE_OP_SOURCES), (Paths{u"C:\\a.txt", u"C:\\c.txt"}));
  EXPECT_EQ(dialog.selectedIndex(IDC_FILE_OP_SOURCES), 1);

  click(dialog, IDC_FILE_OP_CONFIRM);
  click(dialog, IDC_FILE_OP_ADD);
  ASSERT_TRUE(dialog.result().has_value());
  EXPECT_EQ(*dialog.result(), (FileOperation{FILEOP_COPY, u"E:\\Target", true, {u"C:\\a.txt", u"C:\\c.txt"}}));
  EXPECT_TRUE(fakes.prompts.shown().empty());
}

TEST(FileOpDialog, AddRefusesWithoutSourcesThenWithoutADestination) {
  test::EditorFakes fakes;
  const EditorContext context = fakes.context();
  ScriptedShellDialogs shell;
  CFileOpDlg dialog(context, copyChore({u"C:\\a.txt"}, u""), shell);
  ASSERT_NE(dialog.create(nullptr), nullptr);

  click(dialog, IDC_FILE_OP_REMOVE_SOURCE);
  click(dialog, IDC_FILE_OP_ADD);
  ASSERT_EQ(fakes.prompts.shown().size(), 1u);
  EXPECT_EQ(fakes.prompts.shown()[0].text, u"You must specify at least one source file.");
  EXPECT_EQ(fakes.prompts.shown()[0].caption, u"Tolvane");
  EXPECT_EQ(GetFocus(), dialog.item(IDC_FILE_OP_SOURCES));

  shell.files.push_back({u"C:\\z.txt"});
  click(dialog, IDC_FILE_OP_ADD_SOURCES);
  click(dialog, IDC_FILE_OP_ADD);
  EXPECT_EQ(dialog.text(IDC_FILE_OP_DESTINATION), u"Enter destination here.");
  EXPECT_EQ(GetFocus(), dialog.item(IDC_FILE_OP_DESTINATION));
  EXPECT_FALSE(dialog.result().has_value());

  click(dialog, IDC_FILE_OP_DELETE);
  EXPECT_EQ(dialog.text(IDC_FILE_OP_DESTINATION), u"");
  click(dialog, IDC_FILE_OP_ADD);
  ASSERT_TRUE(dialog.result().has_value());
  EXPECT_EQ(dialog.result()->fileOpType, FILEOP_DELETE);
}

TEST(FileOpDialog, TheEntryPointReturnsTheOperationOnAddAndNothingOnCancel) {
  test::EditorFakes fakes;
  const EditorContext context = fakes.context();
  Chore chore = copyChore({u"C:\\a.txt"}, u"D:\\");
  clickWhenShown(L"Define file operation", IDC_FILE_OP_ADD);
  const std::optional<FileOperation> added = editFileOperation(nullptr, context, chore);
  ASSERT_TRUE(added.has_value());
  EXPECT_EQ(*added, chore.fileOp);
  clickWhenShown(L"Define file operation", IDCANCEL);
  EXPECT_FALSE(editFileOperation(nullptr, context, chore).has_value());
}

}  // namespace
}  // namespace tolvane::win32
