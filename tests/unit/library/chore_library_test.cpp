#include "library/chore_library.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/library_builders.h"

namespace tolvane {
namespace {

ChoreList listWithSteps(std::u16string name, std::vector<std::u16string> stepNames, const ChoreLibrary& library) {
  ChoreList list;
  list.name = std::move(name);
  for (const auto& stepName : stepNames) list.steps.push_back(library.copyChore(stepName));
  return list;
}

TEST(ChoreLibrary, NamesCompareExactlyAndShareOneNameSpace) {
  ChoreLibrary library;
  library.appendChore(test::makeChore(u"A"));
  library.appendChore(test::makeChore(u"a"));
  library.appendChoreList(listWithSteps(u"List", {u"A"}, library));
  EXPECT_EQ(library.findChore(u"a"), 1);
  EXPECT_EQ(library.findChore(u"A "), -1);
  EXPECT_FALSE(library.isNameUnused(u"List"));
  EXPECT_FALSE(library.isNameUnused(u"a"));
  EXPECT_TRUE(library.isNameUnused(u"list"));
  EXPECT_FALSE(library.copyChore(u"missing").isFound());
  EXPECT_EQ(library.copyChore(u"missing").type, CHORE_UNKNOWN);
  EXPECT_EQ(library.choreAt(5).type, CHORE_UNKNOWN);
  EXPECT_TRUE(library.choreListAt(-1).name.empty());
}

TEST(ChoreLibrary, HotKeyOwnerPrefersMasterKeyThenChoresThenLists) {
  ChoreLibrary library;
  const HotKeyCode ctrlAltK{0x4B, kHotKeyControl | kHotKeyAlt};
  Chore docs = test::makeChore(u"Docs");
  docs.hotKey = ctrlAltK;
  library.appendChore(docs);
  ChoreList list;
  list.name = u"Morning";
  list.hotKey = ctrlAltK;
  library.appendChoreList(list);
  list.name = u"Evening";
  list.hotKey = {0x45, kHotKeyControl};
  library.appendChoreList(list);

  EXPECT_EQ(library.hotKeyOwner(ctrlAltK), u"Docs");
  EXPECT_EQ(library.hotKeyOwner({0x45, kHotKeyControl}), u"Evening");
  EXPECT_EQ(library.hotKeyOwner({kVirtualKeyRight, kHotKeyControl | kHotKeyShift | kHotKeyExtended}), u"Tolvane");
  EXPECT_EQ(library.hotKeyOwner({kVirtualKeyRight, kHotKeyControl}), std::nullopt);
  EXPECT_EQ(library.hotKeyOwner({0, 0}), std::nullopt);
}

TEST(ChoreLibrary, RefreshStepsRenamesStepsAndKeepsTheirCompletionSettings) {
  ChoreLibrary library;
  library.appendChore(test::makeChore(u"Old"));
  ChoreList list = listWithSteps(u"L", {u"Old", u"Old"}, library);
  list.steps[0].compType = WND_CREATED;
  list.steps[0].compData = u"Notepad";
  list.steps[0].timeout = 30;
  list.steps[0].continueOnTimeout = true;
  list.steps[0].stepPartialMatch = true;
  list.steps[1].compType = WAIT_HOTKEY;
  list.steps[1].hotKeyChore = {0x70, 0};
  library.appendChoreList(list);

  library.edit([](LibraryContents& contents) {
    contents.chores[0].name = u"New";
    contents.chores[0].object = u"C:\\Docs";
  });
  library.refreshSteps(u"Old", u"New");

  const ChoreList refreshed = library.copyChoreList(u"L");
  ASSERT_EQ(refreshed.steps.size(), 2u);
  EXPECT_EQ(refreshed.steps[0].name, u"New");
  EXPECT_EQ(refreshed.steps[0].object, u"C:\\Docs");
  EXPECT_EQ(refreshed.steps[0].compType, WND_CREATED);
  EXPECT_EQ(refreshed.steps[0].compData, u"Notepad");
  EXPECT_EQ(refreshed.steps[0].timeout, 30);
  EXPECT_TRUE(refreshed.steps[0].continueOnTimeout);
  EXPECT_TRUE(refreshed.steps[0].stepPartialMatch);
  EXPECT_EQ(refreshed.steps[1].hotKeyChore, (HotKeyCode{0x70, 0}));
  EXPECT_EQ(library.listsUsingChore(u"New"), std::vector<std::u16string>{u"L"});
  EXPECT_TRUE(library.listsUsingChore(u"Old").empty());
}

TEST(ChoreLibrary, ListsKeepTheirIdentityWhenTheOrderChanges) {
  ChoreLibrary library;
  ChoreList list;
  list.name = u"B";
  list.schedule.nextChorelist = u"A";
  const ChoreListId b = library.appendChoreList(list);
  list.name = u"A";
  list.schedule.nextChorelist.clear();
  const ChoreListId a = library.appendChoreList(list);
  EXPECT_NE(a, b);

  library.edit([](LibraryContents& contents) {
    std::swap(contents.lists[0], contents.lists[1]);
    ChoreList added;
    added.name = u"C";
    contents.lists.push_back(added);
  });
  EXPECT_EQ(library.copyChoreListById(b)->name, u"B");
  EXPECT_NE(library.choreListAt(2).id, 0u);
  EXPECT_EQ(library.listsChainingTo(u"A"), std::vector<std::u16string>{u"B"});
  EXPECT_TRUE(library.withChoreList(a, [](ChoreList& l) { l.inProgress = true; }));
  EXPECT_TRUE(library.copyChoreList(u"A").inProgress);

  library.edit([](LibraryContents& contents) { contents.lists.clear(); });
  EXPECT_FALSE(library.copyChoreListById(b).has_value());
  EXPECT_FALSE(library.withChoreList(a, [](ChoreList&) {}));
}

TEST(ChoreLibrary, ReadersGetWholeRecordsWhileTheUserEdits) {
  ChoreLibrary library;
  library.appendChore(test::makeChore(u"X"));
  std::thread editor([&] {
    for (int i = 0; i < 2000; ++i) {
      library.edit([i](LibraryContents& contents) {
        contents.chores[0].object = std::u16string(static_cast<std::size_t>(i % 64), u'o');
        contents.chores[0].cmdArgs = contents.chores[0].object;
      });
    }
  });
  for (int i = 0; i < 2000; ++i) {
    const Chore copy = library.copyChore(u"X");
    ASSERT_EQ(copy.object, copy.cmdArgs);
  }
  editor.join();
}

}  // namespace
}  // namespace tolvane
