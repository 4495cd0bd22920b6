#include "shell/main_window/tree_edits.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system_clock.h"
#include "support/fake_prompts.h"
#include "support/library_builders.h"
#include "tree_contents.h"

namespace tolvane::win32 {
namespace {

using test::childTexts;
using test::makeChore;
using test::makeList;
using test::makeStep;

class TreeEditsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    tree.attach(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, 0, 0, 400, 300, owner,
                                nullptr, nullptr, nullptr));
    library.appendChore(makeChore(u"beta", CHORE_RUN));
    library.appendChore(makeChore(u"Alpha", CHORE_OPEN));
    library.appendChore(makeChore(u"Zed", CHORE_EXPLORE));
    const Chore zed = makeStep(library.copyChore(u"Zed"));
    library.appendChoreList(makeList(u"Night", {zed}));
    library.appendChoreList(makeList(u"Day", {zed, makeStep(library.copyChore(u"beta"))}));
    tree.fill(library, Settings{}, clock);
  }
  void TearDown() override { DestroyWindow(owner); }

  std::vector<std::u16string> chores() const { return childTexts(tree, tree.choresRoot()); }
  std::vector<std::u16string> lists() const { return childTexts(tree, tree.listsRoot()); }
  std::vector<std::u16string> libraryChores() const { return test::libraryChoreNames(library); }
  void select(HTREEITEM parent, std::u16string_view name) {
    TreeView_SelectItem(tree.hwnd(), name.empty() ? parent : tree.findChild(parent, name));
  }

  HWND owner = nullptr;
  ChoreTree tree;
  ChoreLibrary library;
  SystemClock clock;
  test::FakePrompts prompts;
  int changes = 0;
  int wakes = 0;
  ChoreStoreEffects effects{[this] { ++changes; }, [this] { ++wakes; }};
  ChoreStore store{library, tree, clock, effects};
  TreeEdits edits{library, tree, store, prompts, effects};
};

TEST_F(TreeEditsTest, EverySortFlipsTheDirectionAndTheLibraryFollowsTheBranch) {
  using Names = std::vector<std::u16string>;
  select(tree.choresRoot(), {});
  edits.sortSelectedBranch(SortKey::Name);
  EXPECT_EQ(chores(), (Names{u"Alpha", u"Zed", u"beta"}));
  EXPECT_EQ(libraryChores(), chores());
  edits.sortSelectedBranch(SortKey::Name);
  EXPECT_EQ(chores(), (Names{u"beta", u"Zed", u"Alpha"}));
  EXPECT_EQ(libraryChores(), chores());
  edits.sortSelectedBranch(SortKey::Type);
  EXPECT_EQ(chores(), (Names{u"Zed", u"Alpha", u"beta"}));
  EXPECT_EQ(libraryChores(), chores());

  // The lists' branch takes the next direction, descending, steps and all;
  // it has no sort by type.
  select(tree.listsRoot(), {});
  edits.sortSelectedBranch(SortKey::Type);
  EXPECT_EQ(lists(), (Names{u"Night", u"Day"}));
  edits.sortSelectedBranch(SortKey::Name);
  EXPECT_EQ(lists(), (Names{u"Night", u"Day"}));
  edits.sortSelectedBranch(SortKey::Name);
  EXPECT_EQ(lists(), (Names{u"Day", u"Night"}));
  EXPECT_EQ(library.choreListAt(0).name, u"Day");
  EXPECT_EQ(childTexts(tree, tree.findChild(tree.listsRoot(), u"Day")), (Names{u"Zed", u"beta"}));
  EXPECT_EQ(changes, 5);
}

TEST_F(TreeEditsTest, ClonesFollowTheirOriginalAndDeletionsLeaveTreeAndLibraryAlike) {
  using Names = std::vector<std::u16string>;
  select(tree.choresRoot(), u"Alpha");
  edits.cloneSelected();
  EXPECT_EQ(tree.selected().name, u"Clone of Alpha");
  select(tree.choresRoot(), u"Alpha");
  edits.cloneSelected();
  EXPECT_EQ(chores(), (Names{u"beta", u"Alpha", u"Clone of Clone of Alpha", u"Clone of Alpha", u"Zed"}));
  EXPECT_EQ(libraryChores(), chores());
  select(tree.listsRoot(), u"Night");
  edits.cloneSelected();
  EXPECT_EQ(lists(), (Names{u"Night", u"Clone of Night", u"Day"}));
  EXPECT_EQ(childTexts(tree, tree.findChild(tree.listsRoot(), u"Clone of Night")), (Names{u"Zed"}));
  EXPECT_EQ(changes, 3);

  // Zed is a step of both lists: refused. No to Alpha; Yes to its clone.
  select(tree.choresRoot(), u"Zed");
  edits.deleteSelected();
  select(tree.choresRoot(), u"Alpha");
  edits.deleteSelected();
  prompts.answer(true);
  select(tree.choresRoot(), u"Clone of Alpha");
  edits.deleteSelected();
  EXPECT_EQ(chores(), (Names{u"beta", u"Alpha", u"Clone of Clone of Alpha", u"Zed"}));
  EXPECT_EQ(libraryChores(), chores());
  prompts.answer(true);
  select(tree.listsRoot(), u"Clone of Night");
  edits.deleteSelected();
  EXPECT_EQ(lists(), (Names{u"Night", u"Day"}));
  EXPECT_EQ(library.choreListCount(), 2);
  ASSERT_EQ(prompts.shown().size(), 4u);
  EXPECT_NE(prompts.shown()[0].text.find(u"It is used in 3 chore lists:\n\"Night\"\n\"Clone of Night\"\n\"Day\"\n"),
            std::u16string::npos);
  EXPECT_EQ(changes, 5);
  // Every change of a list wakes the scheduler.
  EXPECT_EQ(wakes, 2);

  // A step is neither cloned nor deleted.
  select(tree.findChild(tree.listsRoot(), u"Day"), u"beta");
  edits.cloneSelected();
  edits.deleteSelected();
  EXPECT_EQ(changes, 5);
}

TEST_F(TreeEditsTest, ARenameToAUsedNameReopensTheLabelEditorElseStepsFollowTheChore) {
  HTREEITEM zed = tree.findChild(tree.choresRoot(), u"Zed");
  EXPECT_TRUE(edits.mayRename(zed));
  EXPECT_FALSE(edits.mayRename(tree.choresRoot()));
  EXPECT_FALSE(edits.mayRename(tree.findChild(tree.findChild(tree.listsRoot(), u"Day"), u"Zed")));

  edits.labelEdited(zed, L"Night");
  edits.finishRename();
  ASSERT_EQ(prompts.shown().size(), 1u);
  EXPECT_EQ(prompts.shown()[0].text, u"Name: \"Night\" is already used.");
  EXPECT_EQ(prompts.shown()[0].caption, u"Tolvane");
  HWND edit = TreeView_GetEditControl(tree.hwnd());
  ASSERT_NE(edit, nullptr);
  wchar_t typed[32] = {};
  GetWindowTextW(edit, typed, 32);
  EXPECT_STREQ(typed, L"Night");
  TreeView_EndEditLabelNow(tree.hwnd(), TRUE);
  EXPECT_EQ(library.findChore(u"Zed"), 2);

  edits.labelEdited(zed, nullptr);
  edits.finishRename();
  edits.labelEdited(zed, L"");
  edits.finishRename();
  EXPECT_EQ(changes, 0);

  edits.labelEdited(zed, L"Last");
  edits.finishRename();
  EXPECT_EQ(tree.itemText(zed), u"Last");
  EXPECT_EQ(library.copyChoreList(u"Day").steps[0].name, u"Last");
  EXPECT_EQ(childTexts(tree, tree.findChild(tree.listsRoot(), u"Night")), (std::vector<std::u16string>{u"Last"}));
  EXPECT_EQ(wakes, 0);

  HTREEITEM day = tree.findChild(tree.listsRoot(), u"Day");
  edits.labelEdited(day, L"Morning");
  edits.finishRename();
  EXPECT_EQ(tree.itemText(day), u"Morning");
  EXPECT_EQ(library.choreListAt(1).name, u"Morning");
  EXPECT_EQ(changes, 2);
  // The scheduler's record of handled starts follows the list's new name.
  EXPECT_EQ(wakes, 1);
}

}  // namespace
}  // namespace tolvane::win32
