#include "editors/library_queries.h"

#include <gtest/gtest.h>

#include "support/library_builders.h"

namespace tolvane {
namespace {

using test::makeChore;
using test::makeList;
using test::makeStep;

TEST(LibraryQueries, NamesInLibraryOrderAndEveryAssignedHotKeyWithTheStepsChore) {
  ChoreLibrary library;
  Chore docs = makeChore(u"Docs");
  docs.hotKey = {'D', kHotKeyControl};
  library.appendChore(makeChore(u"Plain"));
  library.appendChore(docs);
  Chore wait = makeStep(makeChore(u"Pause"), WAIT_HOTKEY);
  wait.hotKeyChore = {'G', kHotKeyAlt};
  ChoreList morning = makeList(u"Morning", {makeStep(docs), wait});
  morning.hotKey = {'M', kHotKeyControl};
  library.appendChoreList(makeList(u"Evening"));
  library.appendChoreList(morning);
  const LibraryQueries queries(library);

  EXPECT_EQ(queries.choreNames(), (std::vector<std::u16string>{u"Plain", u"Docs"}));
  EXPECT_EQ(queries.choreListNames(), (std::vector<std::u16string>{u"Evening", u"Morning"}));
  EXPECT_EQ(queries.hotKeyOwner({'M', kHotKeyControl}), u"Morning");
  EXPECT_FALSE(queries.isNameUnused(u"Evening"));

  const AssignedHotKeys keys = queries.assignedHotKeys();
  ASSERT_EQ(keys.chores.size(), 1u);
  EXPECT_EQ(keys.chores[0].name, u"Docs");
  EXPECT_EQ(keys.chores[0].virtualKey, 'D');
  ASSERT_EQ(keys.lists.size(), 2u);
  EXPECT_EQ(keys.lists[0].name, u"Morning");
  EXPECT_FALSE(keys.lists[0].isStep);
  EXPECT_EQ(keys.lists[1].name, u"Morning");
  EXPECT_TRUE(keys.lists[1].isStep);
  EXPECT_EQ(keys.lists[1].stepChore, u"Pause");
  EXPECT_EQ(keys.lists[1].modifiers, kHotKeyAlt);
}

}  // namespace
}  // namespace tolvane
