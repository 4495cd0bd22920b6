#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/system_clock.h"
#include "engine/scheduler/list_icon.h"
#include "shell/main_window/chore_store.h"
#include "shell/main_window/chore_tree.h"
#include "shell/main_window/main_layout.h"
#include "tree_contents.h"

namespace tolvane::win32 {
namespace {

class TreeWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND control = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | TVS_HASBUTTONS | TVS_SHOWSELALWAYS, 0, 0, 400, 300,
                                   owner, nullptr, nullptr, nullptr);
    tree.attach(control);

    Chore docs;
    docs.name = u"Docs";
    docs.type = CHORE_EXPLORE;
    Chore run;
    run.name = u"Notepad";
    run.type = CHORE_RUN;
    Chore odd;
    odd.name = u"Odd";
    odd.type = 12;  // no picture for this value
    library.appendChore(docs);
    library.appendChore(run);
    library.appendChore(odd);
    ChoreList plain;
    plain.name = u"Plain";
    plain.steps = {run, docs};
    ChoreList atStart;
    atStart.name = u"At start";
    atStart.schedule.runWindows = true;
    atStart.steps = {docs};
    library.appendChoreList(plain);
    library.appendChoreList(atStart);
  }
  void TearDown() override { DestroyWindow(owner); }

  int image(HTREEITEM item) {
    TVITEMW query{};
    query.mask = TVIF_IMAGE | TVIF_HANDLE;
    query.hItem = item;
    TreeView_GetItem(tree.hwnd(), &query);
    return query.iImage;
  }

  HWND owner = nullptr;
  ChoreTree tree;
  ChoreLibrary library;
  SystemClock clock;
};

TEST_F(TreeWindow, FillsBothBranchesWithTheirImagesAndRestoresAStepSelection) {
  Settings settings;
  settings.choreExpanded = true;
  settings.lastChoreList = u"Plain";
  settings.lastChore = u"Docs";
  tree.fill(library, settings, clock);

  EXPECT_EQ(tree.itemText(tree.choresRoot()), u"Chores");
  EXPECT_EQ(image(tree.choresRoot()), 9);
  EXPECT_EQ(image(tree.listsRoot()), 10);
  EXPECT_EQ(image(tree.findChild(tree.choresRoot(), u"Docs")), 0);
  EXPECT_EQ(image(tree.findChild(tree.choresRoot(), u"Notepad")), 3);
  EXPECT_EQ(image(tree.findChild(tree.choresRoot(), u"Odd")), 16);
  HTREEITEM plain = tree.findChild(tree.listsRoot(), u"Plain");
  EXPECT_EQ(image(plain), 11);
  EXPECT_EQ(image(tree.findChild(tree.listsRoot(), u"At start")), 12);
  EXPECT_EQ(image(tree.findChild(plain, u"Notepad")), 3);
  EXPECT_TRUE(tree.isExpanded(tree.choresRoot()));

  const TreeItemInfo selected = tree.selected();
  EXPECT_EQ(selected.kind, TreeItemKind::Step);
  EXPECT_EQ(selected.name, u"Docs");
  EXPECT_EQ(selected.listName, u"Plain");
  EXPECT_EQ(selected.stepIndex, 1);

  Settings remembered;
  remembered.lastSelected = u"stale";
  tree.rememberInto(remembered);
  EXPECT_TRUE(remembered.choreExpanded);
  EXPECT_EQ(remembered.lastChore, u"Docs");
  EXPECT_EQ(remembered.lastChoreList, u"Plain");
  EXPECT_EQ(remembered.lastSelected, u"");
}

TEST_F(TreeWindow, AListSelectionRemembersItsOwnExpansionAndARootItsText) {
  Settings settings;
  settings.choreListExpanded = true;
  settings.lastChoreList = u"Plain";
  tree.fill(library, settings, clock);
  HTREEITEM plain = tree.findChild(tree.listsRoot(), u"Plain");
  EXPECT_TRUE(tree.isExpanded(tree.listsRoot()));
  EXPECT_TRUE(tree.isExpanded(plain));
  EXPECT_EQ(tree.selected().kind, TreeItemKind::List);

  TreeView_Expand(tree.hwnd(), plain, TVE_COLLAPSE);
  Settings remembered;
  tree.rememberInto(remembered);
  EXPECT_EQ(remembered.lastChoreList, u"Plain");
  EXPECT_EQ(remembered.lastChore, u"");
  EXPECT_FALSE(remembered.choreListExpanded);

  TreeView_SelectItem(tree.hwnd(), tree.choresRoot());
  tree.rememberInto(remembered);
  EXPECT_EQ(remembered.lastSelected, u"Chores");
  EXPECT_EQ(remembered.lastChoreList, u"");

  // Back again: the root named by lastSelected is selected.
  TreeView_DeleteAllItems(tree.hwnd());
  tree.fill(library, remembered, clock);
  EXPECT_EQ(tree.selected().kind, TreeItemKind::ChoresRoot);
}

// What an editor returns lands in the library and the tree together, where
// the user is in the tree; a new record becomes the selection, an edited
// chore leaves it on the step it was edited from.
TEST_F(TreeWindow, StoredResultsGoWhereTheSelectionIsAndStepsFollowAnEditedChore) {
  tree.fill(library, Settings{}, clock);
  int changes = 0;
  int wakes = 0;
  ChoreStore store(library, tree, clock, {[&] { ++changes; }, [&] { ++wakes; }});
  const auto children = [&](HTREEITEM parent) { return test::childTexts(tree, parent); };
  const auto libraryChores = [&] { return test::libraryChoreNames(library); };

  Chore added;
  added.type = CHORE_CLIPBOARD;
  struct Case {
    HTREEITEM select;
    std::u16string name;
    std::vector<std::u16string> order;
  };
  const Case cases[] = {
      {tree.findChild(tree.choresRoot(), u"Docs"), u"After docs", {u"Docs", u"After docs", u"Notepad", u"Odd"}},
      {tree.choresRoot(), u"On top", {u"On top", u"Docs", u"After docs", u"Notepad", u"Odd"}},
      {tree.listsRoot(), u"At the end", {u"On top", u"Docs", u"After docs", u"Notepad", u"Odd", u"At the end"}},
  };
  for (const Case& c : cases) {
    TreeView_SelectItem(tree.hwnd(), c.select);
    added.name = c.name;
    store.addChore(added);
    EXPECT_EQ(children(tree.choresRoot()), c.order);
    EXPECT_EQ(libraryChores(), c.order);
    EXPECT_EQ(tree.selected().name, c.name);
    EXPECT_EQ(image(tree.selected().item), CHORE_CLIPBOARD);
  }

  Chore renamed = library.copyChore(u"Docs");
  renamed.name = u"Papers";
  renamed.type = CHORE_OPEN;
  HTREEITEM plain = tree.findChild(tree.listsRoot(), u"Plain");
  HTREEITEM step = tree.findChild(plain, u"Docs");
  TreeView_SelectItem(tree.hwnd(), step);
  EXPECT_TRUE(store.replaceChore(u"Docs", renamed));
  EXPECT_EQ(children(plain), (std::vector<std::u16string>{u"Notepad", u"Papers"}));
  EXPECT_EQ(image(tree.findChild(plain, u"Papers")), CHORE_OPEN);
  EXPECT_EQ(library.copyChoreList(u"At start").steps[0].name, u"Papers");
  EXPECT_EQ(tree.selected().item, step);
  EXPECT_FALSE(store.replaceChore(u"Docs", renamed));

  TreeView_SelectItem(tree.hwnd(), plain);
  ChoreList list;
  list.name = u"Evening";
  list.steps = {library.copyChore(u"Notepad")};
  store.addChoreList(list);
  EXPECT_EQ(children(tree.listsRoot()), (std::vector<std::u16string>{u"Plain", u"Evening", u"At start"}));
  EXPECT_EQ(library.choreListAt(1).name, u"Evening");
  EXPECT_EQ(tree.selected().name, u"Evening");
  EXPECT_TRUE(tree.isExpanded(tree.selected().item));

  list.name = u"Night";
  list.steps = {library.copyChore(u"Papers"), library.copyChore(u"Odd")};
  EXPECT_TRUE(store.replaceChoreList(u"Evening", list));
  HTREEITEM night = tree.findChild(tree.listsRoot(), u"Night");
  ASSERT_NE(night, nullptr);
  EXPECT_EQ(children(night), (std::vector<std::u16string>{u"Papers", u"Odd"}));
  EXPECT_EQ(library.copyChoreList(u"Night").steps.size(), 2u);

  // Every list stored wakes the scheduler: a schedule counts from its first look.
  ChoreSchedule atStart;
  atStart.runWindows = true;
  EXPECT_EQ(wakes, 2);
  EXPECT_TRUE(store.storeSchedule(u"Night", atStart));
  EXPECT_EQ(image(night), kListIconScheduled);
  EXPECT_TRUE(library.copyChoreList(u"Night").schedule.runWindows);
  EXPECT_EQ(wakes, 3);
  EXPECT_FALSE(store.storeSchedule(u"Evening", atStart));
  EXPECT_EQ(changes, 7);
}

TEST(ListTip, TheScheduleShowsAnywhereButOverTheLabel) {
  EXPECT_EQ(listTipPart(TVHT_ONITEMLABEL), ListSummaryPart::OverLabel);
  for (const UINT away : {UINT(TVHT_ONITEMICON), UINT(TVHT_ONITEMRIGHT), UINT(TVHT_ONITEMINDENT),
                          UINT(TVHT_ONITEMBUTTON), UINT(TVHT_ONITEMSTATEICON), UINT(TVHT_NOWHERE)}) {
    EXPECT_EQ(listTipPart(away), ListSummaryPart::AwayFromLabel) << away;
  }
}

TEST(MainLayout, ChildrenFollowTheClientSizeAndTheStatusText) {
  const MainLayout layout = computeMainLayout(800, 600, 8, 22, 1.0);
  EXPECT_EQ(layout.toolbar, (Box{0, 0, 24, 550}));
  EXPECT_EQ(layout.tree, (Box{26, 8, 790, 420}));
  EXPECT_EQ(layout.activity, (Box{26, 433, 790, 566}));
  const MainLayout scaled = computeMainLayout(1600, 1200, 16, 44, 2.0);
  EXPECT_EQ(scaled.toolbar.width(), 48);
  EXPECT_EQ(scaled.tree.left, 52);

  EXPECT_EQ(statusText({}), u"Tolvane at your service...");
  EXPECT_EQ(statusText({u"A", u"B"}), u"A, B in progress...");
  EXPECT_EQ(choreCountText(3, 2), u"3/2");
}

}  // namespace
}  // namespace tolvane::win32
