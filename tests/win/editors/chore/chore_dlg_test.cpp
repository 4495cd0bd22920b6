#include "editors/chore/win32/chore_dlg.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <deque>
#include <functional>

#include "editors/chore/win32/chore_ids.h"
#include "support/editor_fakes.h"
#include "support/library_builders.h"
#include "win/editors/dialog_clicks.h"

namespace tolvane::win32 {
namespace {

class ScriptedShellDialogs final : public ShellDialogs {
 public:
  std::deque<ChosenFolder> folders;
  std::vector<std::u16string> titles;

  std::vector<std::u16string> openFiles(HWND, const OpenFileRequest& request) override {
    titles.push_back(request.title);
    return {};
  }
  std::optional<ChosenFolder> browseForFolder(HWND, std::u16string_view title) override {
    titles.emplace_back(title);
    if (folders.empty()) return std::nullopt;
    ChosenFolder chosen = folders.front();
    folders.pop_front();
    return chosen;
  }
};

// Runs the dialog's messages until the condition holds or two seconds pass.
bool pumpUntil(const std::function<bool()>& done) {
  for (const ULONGLONG end = GetTickCount64() + 2000; GetTickCount64() < end; Sleep(5)) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
  }
  return false;
}

bool dropped(const CDialogBase& dialog, int id) {
  return SendMessageW(dialog.item(id), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

// As a user does it in the list that dropped by itself: the entry is
// highlighted, then Enter.
void chooseType(const CDialogBase& dialog, int index) {
  HWND types = dialog.item(IDC_CHORE_TYPE);
  ASSERT_TRUE(pumpUntil([&] { return dropped(dialog, IDC_CHORE_TYPE); }));
  SendMessageW(types, CB_SETCURSEL, index, 0);
  SendMessageW(types, WM_KEYDOWN, VK_RETURN, 0);
}

std::u16string caption(const CDialogBase& dialog) {
  wchar_t text[64] = {};
  GetWindowTextW(dialog.hwnd(), text, 64);
  return std::u16string(text, text + wcslen(text));
}

ChoreDialogHelpers helpers(ShellDialogs& shell, std::function<std::optional<Chore>(const Chore&, PickerMode)> pick,
                           std::function<std::optional<FileOperation>(const Chore&)> fileOp) {
  return {shell, [pick](HWND, const Chore& chore, PickerMode mode) { return pick(chore, mode); },
          [fileOp](HWND, const Chore& chore) { return fileOp(chore); }};
}

TEST(ChoreDialog, EditingAFileOperationOpensItsEditorByItselfAndSavesWhatItGave) {
  test::EditorFakes fakes;
  const EditorContext context = fakes.context();
  ScriptedShellDialogs shell;
  Chore copy = test::makeChore(u"Copy", CHORE_FILEOP);
  copy.fileOp = FileOperation{FILEOP_COPY, u"D:\\", false, {u"C:\\a.txt"}};
  const FileOperation moved{FILEOP_MOVE, u"E:\\", true, {u"C:\\b.txt"}};
  int opened = 0;
  CChoreDlg dialog(context, &copy,
                   helpers(
                       shell, [](const Chore&, PickerMode) { return std::optional<Chore>(); },
                       [&](const Chore& chore) {
                         EXPECT_EQ(chore.fileOp, copy.fileOp);
                         ++opened;
                         return std::optional<FileOperation>(moved);
                       }));
  ASSERT_NE(dialog.create(nullptr), nullptr);
  EXPECT_EQ(caption(dialog), u"Edit a chore");
  EXPECT_EQ(dialog.text(IDC_CHORE_ADD), u"Save");
  EXPECT_EQ(dialog.selectedIndex(IDC_CHORE_TYPE), test::actionIndex(u"File operation"));
  EXPECT_EQ(opened, 0);
  ASSERT_TRUE(pumpUntil([&] { return opened == 1; }));
  EXPECT_FALSE(dropped(dialog, IDC_CHORE_TYPE));
  click(dialog, IDC_CHORE_ADD);
  ASSERT_TRUE(dialog.result());
  EXPECT_EQ(dialog.result()->name, u"Copy");
  EXPECT_EQ(dialog.result()->fileOp, moved);
}

TEST(ChoreDialog, AFolderChosenForAnExploreChoreIsItsTargetAndName) {
  test::EditorFakes fakes;
  const EditorContext context = fakes.context();
  ScriptedShellDialogs shell;
  shell.folders.push_back({u"C:\\Users\\me\\Documents", u"Documents"});
  CChoreDlg dialog(context, nullptr,
                   helpers(
                       shell, [](const Chore&, PickerMode) { return std::optional<Chore>(); },
                       [](const Chore&) { return std::optional<FileOperation>(); }));
  ASSERT_NE(dialog.create(nullptr), nullptr);
  chooseType(dialog, test::actionIndex(u"Explore a folder"));
  ASSERT_TRUE(pumpUntil([&] { return !shell.titles.empty(); }));
  EXPECT_EQ(shell.titles[0], u"Select a folder that you wish to explore.\nThe Tolvane will automatically take you there!");
  EXPECT_EQ(dialog.text(IDC_CHORE_TARGET), u"C:\\Users\\me\\Documents");
  EXPECT_EQ(dialog.text(IDC_CHORE_NAME), u"Documents");
  EXPECT_TRUE(IsWindowEnabled(dialog.item(IDC_CHORE_NEW_WINDOW)));
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_CHORE_ARGUMENTS)));
  click(dialog, IDC_CHORE_BROWSE_DIR);
  EXPECT_EQ(shell.titles.back(), u"Specify the initial directory for the program to be run:");
}

}  // namespace
}  // namespace tolvane::win32
