#include "library/tree_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "support/fake_prompts.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

using test::FakePrompts;
using test::makeChore;
using test::makeList;
using test::makeStep;
using Kind = TreeItemKind;

TEST(TreeCommands, TheItemMenuFollowsTheItemItsRunAndItsUse) {
  struct Case {
    ItemFacts item;
    ItemMenuState state;
  };
  const Case cases[] = {
      {{Kind::List, u"Morning"}, {.edit = true, .clone = true, .run = true, .remove = true, .schedule = true}},
      {{Kind::List, u"_Wiz+Keys"}, {.clone = true, .run = true, .remove = true, .schedule = true}},
      {{Kind::List, u"Morning", true}, {.stop = true}},
      {{Kind::Chore, u"Docs"}, {.edit = true, .clone = true, .run = true, .remove = true}},
      {{Kind::Chore, u"Docs", false, true}, {.edit = true, .clone = true, .run = true}},
      {{Kind::Chore, u"_Wiz+Notepad"}, {.clone = true, .run = true, .remove = true}},
      {{Kind::Step, u"Docs", false, true}, {.edit = true, .run = true}},
      {{Kind::Step, u"_Wiz+Notepad"}, {.run = true}},
      {{Kind::ChoresRoot, u"Chores"}, {}},
      {{Kind::None, u""}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(itemMenuState(c.item), c.state) << toUtf8(c.item.name);
}

TEST(TreeCommands, TheEditingCommandsFollowTheSelection) {
  struct Case {
    Kind kind;
    std::u16string_view name;
    SelectionCommands commands;
  };
  const Case cases[] = {
      {Kind::Chore, u"Docs", {.editChore = true}},
      {Kind::Step, u"Docs", {.editChore = true}},
      {Kind::Chore, u"_Wiz+Docs", {}},
      {Kind::List, u"Morning", {.editList = true, .schedule = true}},
      {Kind::List, u"_Wiz+Keys", {.schedule = true}},
      {Kind::ChoresRoot, u"Chores", {}},
      {Kind::ListsRoot, u"Chore Lists", {}},
      {Kind::None, u"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(selectionCommands(c.kind, c.name), c.commands) << toUtf8(c.name);
}

TEST(TreeCommands, BranchesSortByNameOrTypeAndTheDirectionFlipsBeforeEverySort) {
  ChoreLibrary library;
  for (const auto& [name, type] : {std::pair{u"beta", CHORE_RUN}, {u"Alpha", CHORE_OPEN}, {u"alpha", CHORE_RUN},
                                   {u"Zed", CHORE_EXPLORE}, {u"Al", CHORE_RUN}}) {
    library.appendChore(makeChore(name, type));
    library.appendChoreList(makeList(name));
  }
  const auto names = [&] {
    std::vector<std::u16string> chores;
    for (int i = 0; i < library.choreCount(); ++i) chores.push_back(library.choreAt(i).name);
    return chores;
  };
  struct Case {
    SortKey key;
    bool ascending;
    std::vector<std::u16string> order;
  };
  const Case cases[] = {
      // Code unit by code unit: upper case before lower case.
      {SortKey::Name, true, {u"Al", u"Alpha", u"Zed", u"alpha", u"beta"}},
      {SortKey::Name, false, {u"beta", u"alpha", u"Zed", u"Alpha", u"Al"}},
      {SortKey::Type, true, {u"Zed", u"Alpha", u"Al", u"alpha", u"beta"}},
      // Descending reverses the ties as well.
      {SortKey::Type, false, {u"beta", u"alpha", u"Al", u"Alpha", u"Zed"}},
  };
  for (const Case& c : cases) {
    sortChores(library, c.key, c.ascending);
    EXPECT_EQ(names(), c.order);
  }
  sortChoreLists(library, true);
  EXPECT_EQ(library.choreListAt(0).name, u"Al");
  EXPECT_EQ(library.choreListAt(4).name, u"beta");
  EXPECT_EQ(compareForSort({u"Same", 1}, {u"Same", 1}, SortKey::Type, false), 0);

  // Records that compare equal keep their order.
  ChoreLibrary twins;
  twins.appendChore(makeChore(u"A", CHORE_OPEN));
  twins.appendChore(makeChore(u"A", CHORE_RUN));
  sortChores(twins, SortKey::Name, false);
  EXPECT_EQ(twins.choreAt(0).type, CHORE_OPEN);

  SortDirection direction;
  EXPECT_TRUE(direction.flip());
  EXPECT_FALSE(direction.flip());
  EXPECT_TRUE(direction.flip());
}

TEST(TreeCommands, ARenameIsTakenOnlyForAFreeNameOfAChoreOrList) {
  ChoreLibrary library;
  library.appendChore(makeChore(u"Docs"));
  library.appendChoreList(makeList(u"Morning"));
  struct Case {
    std::u16string_view from;
    std::u16string_view to;
    RenameCheck check;
  };
  const Case cases[] = {
      {u"Docs", u"Papers", RenameCheck::Allowed},  {u"Docs", u"Morning", RenameCheck::NameUsed},
      {u"Morning", u"Docs", RenameCheck::NameUsed}, {u"Docs", u"docs", RenameCheck::Allowed},
      {u"Docs", u"", RenameCheck::NoChange},        {u"Docs", u"Docs", RenameCheck::NoChange},
  };
  for (const Case& c : cases) EXPECT_EQ(checkRename(library, c.from, c.to), c.check) << toUtf8(c.to);
  EXPECT_EQ(nameUsedText(u"Morning"), u"Name: \"Morning\" is already used.");

  EXPECT_TRUE(canRenameInTree(Kind::Chore, u"Docs"));
  EXPECT_TRUE(canRenameInTree(Kind::List, u"Morning"));
  EXPECT_TRUE(canRenameInTree(Kind::List, u"_Wiz"));
  EXPECT_FALSE(canRenameInTree(Kind::Chore, u"_Wiz+Notepad"));
  EXPECT_FALSE(canRenameInTree(Kind::Step, u"Docs"));
  EXPECT_FALSE(canRenameInTree(Kind::ChoresRoot, u"Chores"));
}

TEST(TreeCommands, AClonePutsClonePrefixesBeforeTheNameUntilItIsFreeAndHasNoHotKey) {
  ChoreLibrary library;
  Chore backup = makeChore(u"Backup", CHORE_FILEOP);
  backup.hotKey = {0x42, kHotKeyControl | kHotKeyAlt};
  backup.object = u"C:\\data";
  library.appendChore(backup);
  // The prefixed name is taken by a list: the prefix comes twice.
  ChoreList taken = makeList(u"Clone of Backup", {makeStep(backup, DELAY, u"5")});
  taken.hotKey = {0x43, kHotKeyControl};
  taken.schedule.runWindows = true;
  library.appendChoreList(taken);

  const std::optional<Chore> chore = cloneChore(library, u"Backup");
  ASSERT_TRUE(chore);
  EXPECT_EQ(chore->name, u"Clone of Clone of Backup");
  EXPECT_FALSE(chore->hotKey.isSet());
  EXPECT_EQ(chore->object, u"C:\\data");
  EXPECT_EQ(chore->type, CHORE_FILEOP);

  const std::optional<ChoreList> list = cloneChoreList(library, u"Clone of Backup");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->name, u"Clone of Clone of Backup");
  EXPECT_FALSE(list->hotKey.isSet());
  EXPECT_EQ(list->steps, taken.steps);
  EXPECT_EQ(list->schedule, taken.schedule);

  library.appendChore(*chore);
  EXPECT_EQ(cloneName(library, u"Backup"), u"Clone of Clone of Clone of Backup");
  EXPECT_FALSE(cloneChore(library, u"backup"));
  EXPECT_FALSE(cloneChoreList(library, u"Backup"));
}

TEST(TreeCommands, AChoreUsedByListsIsRefusedWithTheirNamesElseTheUserDecides) {
  struct Case {
    std::vector<std::u16string> users;
    std::u16string refusal;
  };
  const Case cases[] = {
      {{u"Morning"}, u"Chore: \"Docs\" cannot be deleted.\nIt is used in 1 chore list:\n\"Morning\"\n"},
      {{u"Morning", u"Evening"},
       u"Chore: \"Docs\" cannot be deleted.\nIt is used in 2 chore lists:\n\"Morning\"\n\"Evening\"\n"},
  };
  for (const Case& c : cases) {
    ChoreLibrary library;
    library.appendChore(makeChore(u"Docs"));
    for (const std::u16string& user : c.users) {
      library.appendChoreList(makeList(user, {makeStep(makeChore(u"Docs")), makeStep(makeChore(u"Docs"))}));
    }
    library.appendChoreList(makeList(u"Unrelated", {makeStep(makeChore(u"Other"))}));
    FakePrompts prompts;
    EXPECT_EQ(deleteChoreAsked(library, prompts, u"Docs"), DeleteOutcome::Refused);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, FakePrompts::Kind::Warning);
    EXPECT_EQ(prompts.shown()[0].text, c.refusal);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tolvane Warning!");
    EXPECT_EQ(library.choreCount(), 1);
  }

  ChoreLibrary library;
  library.appendChore(makeChore(u"Docs"));
  FakePrompts prompts;
  EXPECT_EQ(deleteChoreAsked(library, prompts, u"Docs"), DeleteOutcome::Declined);
  EXPECT_EQ(library.choreCount(), 1);
  prompts.answer(true);
  EXPECT_EQ(deleteChoreAsked(library, prompts, u"Docs"), DeleteOutcome::Deleted);
  EXPECT_EQ(library.choreCount(), 0);
  ASSERT_EQ(prompts.shown().size(), 2u);
  EXPECT_EQ(prompts.shown()[1].kind, FakePrompts::Kind::Question);
  EXPECT_EQ(prompts.shown()[1].text, u"Chore: \"Docs\"\nDo you wish to delete the chore?");
  EXPECT_EQ(prompts.shown()[1].caption, u"Tolvane Warning!");
  EXPECT_EQ(deleteChoreAsked(library, prompts, u"Docs"), DeleteOutcome::Missing);
  EXPECT_EQ(prompts.shown().size(), 2u);
}

TEST(TreeCommands, AListStartedNextByOthersOrRunningIsRefusedElseTheUserDecides) {
  ChoreLibrary library;
  ChoreList first = makeList(u"First");
  first.schedule.nextChorelist = u"Target";
  ChoreList second = makeList(u"Second");
  second.schedule.nextChorelist = u"Target";
  ChoreList target = makeList(u"Target");
  // Starting itself again does not keep a list.
  target.schedule.nextChorelist = u"Target";
  library.appendChoreList(first);
  library.appendChoreList(second);
  library.appendChoreList(target);
  const ChoreListId busy = library.appendChoreList(makeList(u"Busy"));
  library.withChoreList(busy, [](ChoreList& list) { list.inProgress = true; });

  FakePrompts prompts;
  EXPECT_EQ(deleteChoreListAsked(library, prompts, u"Target"), DeleteOutcome::Refused);
  EXPECT_EQ(deleteChoreListAsked(library, prompts, u"Busy"), DeleteOutcome::Refused);
  ASSERT_EQ(prompts.shown().size(), 2u);
  EXPECT_EQ(prompts.shown()[0].text,
            u"Chorelist: \"Target\" cannot be deleted.\nIt is used as the next chore list in:\n\"First\"\n\"Second\"");
  EXPECT_EQ(prompts.shown()[0].caption, u"Tolvane");
  EXPECT_EQ(prompts.shown()[0].kind, FakePrompts::Kind::Warning);
  EXPECT_EQ(prompts.shown()[1].text,
            u"Chorelist: \"Busy\" is running and cannot be deleted.\nStop it first, then delete it.");
  EXPECT_EQ(library.choreListCount(), 4);

  EXPECT_EQ(deleteChoreListAsked(library, prompts, u"First"), DeleteOutcome::Declined);
  prompts.answer(true);
  EXPECT_EQ(deleteChoreListAsked(library, prompts, u"First"), DeleteOutcome::Deleted);
  EXPECT_EQ(prompts.shown().back().text, u"Chorelist: \"First\"\nDo you wish to delete it?");
  EXPECT_EQ(prompts.shown().back().caption, u"Tolvane Warning!");
  EXPECT_EQ(library.findChoreList(u"First"), -1);
  EXPECT_EQ(deleteChoreListAsked(library, prompts, u"First"), DeleteOutcome::Missing);

  // A list the scheduler starts while the question shows stays.
  struct StartedMeanwhile final : Prompts {
    ChoreLibrary& library;
    std::vector<std::u16string> warnings;
    explicit StartedMeanwhile(ChoreLibrary& l) : library(l) {}
    bool askYesNo(std::u16string_view, std::u16string_view) override {
      library.edit([](LibraryContents& contents) { contents.lists.front().inProgress = true; });
      return true;
    }
    bool askRetryCancel(std::u16string_view, std::u16string_view) override { return false; }
    void showError(std::u16string_view, std::u16string_view) override {}
    void showWarning(std::u16string_view text, std::u16string_view) override { warnings.emplace_back(text); }
  } meanwhile(library);
  EXPECT_EQ(deleteChoreListAsked(library, meanwhile, u"Second"), DeleteOutcome::Refused);
  EXPECT_EQ(library.findChoreList(u"Second"), 0);
  ASSERT_EQ(meanwhile.warnings.size(), 1u);
  EXPECT_NE(meanwhile.warnings[0].find(u"is running"), std::u16string::npos);
}

}  // namespace
}  // namespace tolvane
