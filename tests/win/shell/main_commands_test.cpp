// The main window's command rows over real parts: what each selection
// makes available, and a core that answers from construction on.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/main_window/main_parts.h"
#include "shell/resource.h"
#include "support/fake_prompts.h"
#include "support/library_builders.h"

namespace tolvane::win32 {
namespace {

using test::makeChore;
using test::makeList;
using test::makeStep;

class MainCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    parts.window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    tree.attach(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD, 0, 0, 400, 300, parts.window, nullptr, nullptr,
                                nullptr));
    ChoreLibrary& library = core.library();
    library.appendChore(makeChore(u"Docs", CHORE_EXPLORE));
    library.appendChore(makeChore(u"_Wiz+Keys", CHORE_WNDMSG));
    library.appendChoreList(makeList(u"Night", {makeStep(library.copyChore(u"Docs"))}));
    library.appendChoreList(makeList(u"Busy", {makeStep(library.copyChore(u"Docs"))}));
    library.withChoreList(library.choreListAt(1).id, [](ChoreList& list) { list.inProgress = true; });
    tree.fill(library, core.settings(), core.clock());
    addMainCommands(commands, parts);
    addChoreCommands(commands, parts);
    addListCommands(commands, parts);
    addViewCommands(commands, parts);
  }
  void TearDown() override { DestroyWindow(parts.window); }

  void select(HTREEITEM parent, std::u16string_view name) {
    TreeView_SelectItem(tree.hwnd(), name.empty() ? parent : tree.findChild(parent, name));
  }

  // The commands of `ids` that are available now, as their names.
  std::string available() const {
    const std::pair<int, const char*> ids[] = {
        {ID_RUN_SELECTED, "run"},   {ID_STOP_SELECTED, "stop"},     {ID_EDIT_SELECTED, "edit"},
        {ID_EDIT_SELECTED_CHORE, "chore"}, {ID_EDIT_SELECTED_CHORELIST, "list"}, {ID_FILE_SCHEDULE, "schedule"},
        {ID_TREE_CLONE, "clone"},   {ID_TREE_DELETE, "delete"},     {ID_SORT_BY_NAME, "name"},
        {ID_SORT_BY_TYPE, "type"},  {ID_TREE_RUN, "tree-run"},      {ID_TREE_STOP, "tree-stop"}};
    std::string names;
    for (const auto& [id, name] : ids) {
      if (commands.isAvailable(id)) names += std::string(names.empty() ? "" : " ") + name;
    }
    return names;
  }

  TolvaneCore core;
  ChoreTree tree;
  test::FakePrompts prompts;
  ChoreStore store{core.library(), tree, core.clock(), {[] {}, [] {}}};
  TreeEdits edits{core.library(), tree, store, prompts, {[] {}, [] {}}};
  MainParts parts{nullptr, GetModuleHandleW(nullptr), core, tree, store, edits, [] {}};
  CommandTable commands;
};

TEST_F(MainCommands, EachSelectionOffersItsCommands) {
  struct Case {
    HTREEITEM parent;
    std::u16string name;
    std::string available;
  };
  const Case cases[] = {
      {tree.choresRoot(), u"", "name type"},
      {tree.listsRoot(), u"", "name"},
      {tree.choresRoot(), u"Docs", "run edit chore clone delete tree-run"},
      {tree.choresRoot(), u"_Wiz+Keys", "run clone delete tree-run"},
      {tree.findChild(tree.listsRoot(), u"Night"), u"Docs", "run edit chore tree-run"},
      {tree.listsRoot(), u"Night", "run edit chore list schedule clone delete tree-run"},
      // A list under way is only stopped.
      {tree.listsRoot(), u"Busy", "stop clone delete tree-stop"},
  };
  for (const Case& c : cases) {
    select(c.parent, c.name);
    EXPECT_EQ(available(), c.available) << std::string(c.name.begin(), c.name.end());
  }

  // While a dialog of the window is up, no editor opens a second one.
  select(tree.listsRoot(), u"Night");
  EnableWindow(parts.window, FALSE);
  EXPECT_EQ(available(), "run clone delete tree-run");
  EXPECT_FALSE(commands.isAvailable(ID_FILE_NEW_CHORE) || commands.isAvailable(ID_VIEW_OPTIONS));
}

// Before start-up has started a thread, every intention has its answer.
TEST_F(MainCommands, TheCoreAnswersFromConstructionOn) {
  EXPECT_FALSE(core.runChore(u"Docs"));
  EXPECT_FALSE(core.startList(u"Nobody"));
  EXPECT_TRUE(core.isListRunning(u"Busy"));
  EXPECT_FALSE(core.isListRunning(u"Night"));
  EXPECT_TRUE(core.hotKeysSuspended());
  {
    const HotKeySuspension editing = core.suspendHotKeys();
    EXPECT_EQ(&core.editorContext().settings, &core.settings());
  }
  core.wakeScheduler();
  EXPECT_TRUE(core.endWorkers(1000));
}

}  // namespace
}  // namespace tolvane::win32
