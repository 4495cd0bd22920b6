#include "editors/chore_list/win32/chore_list_dlg.h"

#include <gtest/gtest.h>

#include "editors/chore_list/win32/chore_list_ids.h"
#include "editors/common/win32/editor_controls.h"
#include "support/editor_fakes.h"
#include "support/library_builders.h"

namespace tolvane::win32 {
namespace {

constexpr HotKeyCode kCtrlD{'D', kHotKeyControl};

void command(const CDialogBase& dialog, int id, int code = BN_CLICKED) {
  SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(dialog.item(id)));
}

void chooseStep(const CDialogBase& dialog, int index) {
  dialog.selectIndex(IDC_LIST_STEPS, index);
  command(dialog, IDC_LIST_STEPS, LBN_SELCHANGE);
}

void chooseCompletion(const CDialogBase& dialog, CompletionType type) {
  dialog.selectIndex(IDC_LIST_COMPLETION_TYPE, type);
  command(dialog, IDC_LIST_COMPLETION_TYPE, CBN_SELCHANGE);
}

void addChores(const CDialogBase& dialog, std::initializer_list<int> indices) {
  for (const int index : indices) SendMessageW(dialog.item(IDC_LIST_AVAILABLE), LB_SETSEL, TRUE, index);
  command(dialog, IDC_LIST_ADD_STEPS);
}

// The open-file dialog answers with one file.
class OneFileShellDialogs final : public ShellDialogs {
 public:
  std::vector<std::u16string> openFiles(HWND, const OpenFileRequest& request) override {
    EXPECT_EQ(request.title, u"Select a file for a chore completion event:");
    EXPECT_FALSE(request.mustExist);
    return {u"C:\\Temp\\done.txt"};
  }
  std::optional<ChosenFolder> browseForFolder(HWND, std::u16string_view) override { return std::nullopt; }
};

class ChoreListDialogTest : public ::testing::Test {
 protected:
  ChoreListDialogTest() {
    Chore notepad = test::makeChore(u"Notepad", CHORE_WNDMSG);
    notepad.hotKey = kCtrlD;
    for (const Chore& chore : {test::makeChore(u"Pause"), test::makeChore(u"Report"), notepad}) {
      services.library.appendChore(chore);
    }
    ChoreList morning = test::makeList(u"Morning", {test::makeStep(notepad, DELAY, u"5")});
    morning.schedule.runWindows = true;
    services.library.appendChoreList(morning);
  }

  ChoreListDialogs fakes() {
    ChoreListDialogs dialogs;
    dialogs.pickWindow = [this](HWND, const Chore& chore, bool firstOpen) {
      picks.push_back({chore.mainWndTxt, firstOpen});
      Chore picked = chore;
      picked.mainWndTxt = u"Save As";
      picked.stepPartialMatch = true;
      return std::optional<Chore>(picked);
    };
    dialogs.shell = &shell;
    dialogs.editSchedule = [](HWND, const ChoreSchedule& schedule) {
      ChoreSchedule changed = schedule;
      changed.runRepeatCount = 2;
      return std::optional<ChoreSchedule>(changed);
    };
    return dialogs;
  }

  std::u16string lastMessage() const {
    return services.prompts.shown().empty() ? u"" : services.prompts.shown().back().text;
  }

  test::EditorFakes services;
  const EditorContext context = services.context();
  OneFileShellDialogs shell;
  struct Pick {
    std::u16string window;
    bool firstOpen;
  };
  std::vector<Pick> picks;
};

// A user builds a three-step list: a delay, a file that must appear and a
// window that must appear; a refused step keeps the selection, a step is
// moved with Alt+Up and removed with Delete, the schedule is set, and Add
// refuses a missing name, a taken name and a taken hot key before it gives
// the list.
TEST_F(ChoreListDialogTest, BuildsANewListStepByStep) {
  CChoreList dialog(context, nullptr, fakes());
  ASSERT_NE(dialog.create(nullptr), nullptr);
  EXPECT_EQ(dialog.items(IDC_LIST_AVAILABLE), (std::vector<std::u16string>{u"Pause", u"Report", u"Notepad"}));
  EXPECT_EQ(dialog.items(IDC_LIST_COMPLETION_TYPE).size(), 9u);
  EXPECT_EQ(dialog.text(IDC_LIST_SAVE), u"Add");
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_LIST_VIEW)));

  addChores(dialog, {0, 1});
  EXPECT_EQ(dialog.items(IDC_LIST_STEPS), (std::vector<std::u16string>{u"Pause", u"Report"}));
  EXPECT_EQ(dialog.selectedIndex(IDC_LIST_STEPS), 0);
  EXPECT_TRUE(dialog.selectedIndices(IDC_LIST_AVAILABLE).empty());
  EXPECT_EQ(GetFocus(), dialog.item(IDC_LIST_STEPS));

  chooseCompletion(dialog, DELAY);
  EXPECT_EQ(GetFocus(), dialog.item(IDC_LIST_COMPLETION_DATA));
  dialog.setText(IDC_LIST_COMPLETION_DATA, u"2s");
  chooseStep(dialog, 1);
  EXPECT_EQ(lastMessage(), u"For completion type: Delay, you must enter number of seconds.");
  EXPECT_EQ(dialog.selectedIndex(IDC_LIST_STEPS), 0);
  dialog.setText(IDC_LIST_COMPLETION_DATA, u"02");
  chooseStep(dialog, 1);
  EXPECT_EQ(dialog.selectedIndex(IDC_LIST_STEPS), 1);
  EXPECT_EQ(dialog.text(IDC_LIST_COMPLETION_DATA), u"");

  chooseCompletion(dialog, FILE_CREATED);
  EXPECT_EQ(dialog.text(IDC_LIST_COMPLETION_DATA), u"C:\\Temp\\done.txt");
  addChores(dialog, {2});
  chooseCompletion(dialog, WND_CREATED);
  EXPECT_TRUE(IsWindowEnabled(dialog.item(IDC_LIST_VIEW)));
  ASSERT_EQ(picks.size(), 1u);
  EXPECT_TRUE(picks[0].firstOpen);
  EXPECT_EQ(dialog.text(IDC_LIST_COMPLETION_DATA), u"Save As");
  command(dialog, IDC_LIST_VIEW);
  ASSERT_EQ(picks.size(), 2u);
  EXPECT_EQ(picks[1].window, u"Save As");
  EXPECT_FALSE(picks[1].firstOpen);

  SendMessageW(dialog.item(IDC_LIST_STEPS), WM_SYSKEYDOWN, VK_UP, 0);
  EXPECT_EQ(dialog.items(IDC_LIST_STEPS), (std::vector<std::u16string>{u"Pause", u"Notepad", u"Report"}));
  EXPECT_EQ(dialog.selectedIndex(IDC_LIST_STEPS), 1);
  addChores(dialog, {0});
  SendMessageW(dialog.item(IDC_LIST_STEPS), WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(dialog.items(IDC_LIST_STEPS), (std::vector<std::u16string>{u"Pause", u"Notepad", u"Report"}));
  EXPECT_EQ(dialog.selectedIndex(IDC_LIST_STEPS), 2);
  command(dialog, IDC_LIST_SCHEDULE);

  command(dialog, IDC_LIST_SAVE);
  EXPECT_EQ(dialog.text(IDC_LIST_NAME), u"Enter a chore list name.");
  EXPECT_EQ(GetFocus(), dialog.item(IDC_LIST_NAME));
  dialog.setText(IDC_LIST_NAME, u"Morning");
  command(dialog, IDC_LIST_SAVE);
  EXPECT_EQ(lastMessage(), u"Chore list name: \"Morning\" is already used.");
  dialog.setText(IDC_LIST_NAME, u"Evening");
  setHotKey(dialog.item(IDC_LIST_HOTKEY), kCtrlD);
  command(dialog, IDC_LIST_SAVE);
  EXPECT_EQ(lastMessage(), u"Hotkey: Ctrl + D is already used by \"Notepad\".");
  EXPECT_FALSE(hotKeyOf(dialog.item(IDC_LIST_HOTKEY)).isSet());
  EXPECT_FALSE(dialog.result());
  command(dialog, IDC_LIST_SAVE);

  ASSERT_TRUE(dialog.result());
  const ChoreList& list = *dialog.result();
  EXPECT_EQ(list.name, u"Evening");
  ASSERT_EQ(list.steps.size(), 3u);
  EXPECT_EQ(list.steps[0].compType, DELAY);
  EXPECT_EQ(list.steps[0].compData, u"02");
  EXPECT_EQ(list.steps[1].name, u"Notepad");
  EXPECT_EQ(list.steps[1].compType, WND_CREATED);
  EXPECT_EQ(list.steps[1].compData, u"Save As");
  EXPECT_TRUE(list.steps[1].stepPartialMatch);
  EXPECT_EQ(list.steps[2].compType, FILE_CREATED);
  EXPECT_EQ(list.steps[2].compData, u"C:\\Temp\\done.txt");
  EXPECT_EQ(list.schedule.runRepeatCount, 2);
  for (const auto& shown : services.prompts.shown()) EXPECT_EQ(shown.caption, u"Tolvane");
}

TEST_F(ChoreListDialogTest, OpensAnExistingListOnItsFirstStep) {
  const ChoreList morning = services.library.copyChoreList(u"Morning");
  CChoreList dialog(context, &morning, fakes());
  ASSERT_NE(dialog.create(nullptr), nullptr);
  wchar_t caption[64] = {};
  GetWindowTextW(dialog.hwnd(), caption, 64);
  EXPECT_STREQ(caption, L"Edit chore list");
  EXPECT_EQ(dialog.text(IDC_LIST_SAVE), u"Save");
  EXPECT_EQ(dialog.text(IDC_LIST_NAME), u"Morning");
  EXPECT_EQ(dialog.items(IDC_LIST_STEPS), std::vector<std::u16string>{u"Notepad"});
  EXPECT_EQ(dialog.selectedIndex(IDC_LIST_STEPS), 0);
  EXPECT_EQ(dialog.selectedIndex(IDC_LIST_COMPLETION_TYPE), DELAY);
  EXPECT_EQ(dialog.text(IDC_LIST_COMPLETION_DATA), u"5");
  EXPECT_EQ(GetFocus(), dialog.item(IDC_LIST_STEPS));

  command(dialog, IDC_LIST_SAVE);
  ASSERT_TRUE(dialog.result());
  EXPECT_EQ(*dialog.result(), morning);
}

}  // namespace
}  // namespace tolvane::win32
