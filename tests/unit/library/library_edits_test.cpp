#include "library/library_edits.h"

#include <gtest/gtest.h>

#include "platform/sync.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

using test::makeChore;
using test::makeList;
using test::makeStep;

struct TestEvent final : Event {
  bool set() override { return true; }
  bool reset() override { return true; }
};

std::vector<std::u16string> choreNames(const ChoreLibrary& library) {
  std::vector<std::u16string> names;
  for (int i = 0; i < library.choreCount(); ++i) names.push_back(library.choreAt(i).name);
  return names;
}

std::vector<std::u16string> listNames(const ChoreLibrary& library) {
  std::vector<std::u16string> names;
  for (int i = 0; i < library.choreListCount(); ++i) names.push_back(library.choreListAt(i).name);
  return names;
}

TEST(LibraryEdits, NewRecordsGoAfterTheSelectedOneAtTheTopOrAtTheEnd) {
  struct Case {
    InsertPlace place;
    int index;
    std::vector<std::u16string> order;
  };
  const Case cases[] = {
      {InsertPlace::afterRecord(u"A"), 1, {u"A", u"New", u"B"}},
      {InsertPlace::afterRecord(u"B"), 2, {u"A", u"B", u"New"}},
      {InsertPlace::top(), 0, {u"New", u"A", u"B"}},
      {InsertPlace::end(), 2, {u"A", u"B", u"New"}},
      // The selected record went away meanwhile: the end.
      {InsertPlace::afterRecord(u"Gone"), 2, {u"A", u"B", u"New"}},
  };
  for (const Case& c : cases) {
    ChoreLibrary library;
    library.appendChore(makeChore(u"A"));
    library.appendChore(makeChore(u"B"));
    library.appendChoreList(makeList(u"A"));
    library.appendChoreList(makeList(u"B"));
    EXPECT_EQ(insertChore(library, makeChore(u"New"), c.place), c.index);
    EXPECT_EQ(choreNames(library), c.order);
    EXPECT_EQ(insertChoreList(library, makeList(u"New"), c.place), c.index);
    EXPECT_EQ(listNames(library), c.order);
  }
}

TEST(LibraryEdits, AnAddedListIsNotRunningAndGetsAnIdentityOfItsOwn) {
  ChoreLibrary library;
  const ChoreListId first = library.appendChoreList(makeList(u"First"));
  ChoreList copied = library.copyChoreList(u"First");
  copied.name = u"Copy";
  copied.inProgress = true;
  copied.abortRequested = true;
  copied.termEvent = std::make_shared<TestEvent>();
  copied.steps.push_back(makeStep(makeChore(u"Wait"), WAIT_HOTKEY));
  copied.steps[0].completionEvent = std::make_shared<TestEvent>();

  insertChoreList(library, copied, InsertPlace::end());
  const ChoreList added = library.copyChoreList(u"Copy");
  EXPECT_FALSE(added.inProgress);
  EXPECT_FALSE(added.abortRequested);
  EXPECT_EQ(added.termEvent, nullptr);
  EXPECT_EQ(added.steps[0].completionEvent, nullptr);
  EXPECT_NE(added.id, 0u);
  EXPECT_NE(added.id, first);
}

TEST(LibraryEdits, AReplacedChoreKeepsItsPlaceAndItsStepsFollowIt) {
  ChoreLibrary library;
  library.appendChore(makeChore(u"Before"));
  library.appendChore(makeChore(u"Docs", CHORE_EXPLORE));
  Chore step = makeStep(library.copyChore(u"Docs"), FILE_CREATED, u"C:\\flag");
  step.timeout = 9;
  library.appendChoreList(makeList(u"Uses", {step, makeStep(makeChore(u"Before"))}));

  Chore edited = makeChore(u"Papers", CHORE_OPEN);
  edited.object = u"C:\\papers.txt";
  EXPECT_EQ(replaceChore(library, u"Docs", edited), 1);
  EXPECT_EQ(choreNames(library), (std::vector<std::u16string>{u"Before", u"Papers"}));
  const ChoreList uses = library.copyChoreList(u"Uses");
  EXPECT_EQ(uses.steps[0].name, u"Papers");
  EXPECT_EQ(uses.steps[0].type, CHORE_OPEN);
  EXPECT_EQ(uses.steps[0].object, u"C:\\papers.txt");
  EXPECT_EQ(uses.steps[0].compType, FILE_CREATED);
  EXPECT_EQ(uses.steps[0].compData, u"C:\\flag");
  EXPECT_EQ(uses.steps[0].timeout, 9);
  EXPECT_EQ(uses.steps[1].name, u"Before");

  EXPECT_EQ(replaceChore(library, u"Docs", edited), std::nullopt);
  EXPECT_EQ(library.choreCount(), 2);
}

TEST(LibraryEdits, AReplacedListKeepsItsRunButItsNewStepsWaitOnNothing) {
  ChoreLibrary library;
  const ChoreListId id = library.appendChoreList(makeList(u"Old", {makeStep(makeChore(u"A"))}));
  const std::shared_ptr<Event> term = std::make_shared<TestEvent>();
  library.withChoreList(id, [&](ChoreList& list) {
    list.inProgress = true;
    list.termEvent = term;
  });

  ChoreList edited = makeList(u"New", {makeStep(makeChore(u"B"), WAIT_HOTKEY), makeStep(makeChore(u"C"))});
  edited.steps[0].completionEvent = std::make_shared<TestEvent>();
  edited.hotKey = {0x4B, kHotKeyControl};
  edited.schedule.runWindows = true;
  EXPECT_EQ(replaceChoreList(library, u"Old", edited), 0);

  const ChoreList stored = *library.copyChoreListById(id);
  EXPECT_EQ(stored, edited);
  EXPECT_TRUE(stored.inProgress);
  EXPECT_EQ(stored.termEvent, term);
  EXPECT_EQ(stored.steps[0].completionEvent, nullptr);
  EXPECT_EQ(replaceChoreList(library, u"Old", edited), std::nullopt);
}

TEST(LibraryEdits, AScheduleGoesToItsListOnly) {
  ChoreLibrary library;
  library.appendChoreList(makeList(u"A"));
  library.appendChoreList(makeList(u"B"));
  ChoreSchedule schedule;
  schedule.hasRunTimeOfDay = true;
  schedule.runTimeOfDay = 3600;
  schedule.nextChorelist = u"A";
  EXPECT_TRUE(storeSchedule(library, u"B", schedule));
  EXPECT_EQ(library.copyChoreList(u"B").schedule, schedule);
  EXPECT_EQ(library.copyChoreList(u"A").schedule, ChoreSchedule{});
  EXPECT_FALSE(storeSchedule(library, u"b", schedule));
}

TEST(LibraryEdits, ARenamedChoreTakesItsStepsAlongAndARenamedListKeepsItsRun) {
  ChoreLibrary library;
  library.appendChore(makeChore(u"Docs", CHORE_EXPLORE));
  Chore step = makeStep(library.copyChore(u"Docs"), DELAY, u"3");
  library.appendChoreList(makeList(u"Morning", {step, makeStep(makeChore(u"Other"))}));
  const ChoreListId id = library.appendChoreList(makeList(u"Evening", {step}));
  library.withChoreList(id, [](ChoreList& list) { list.inProgress = true; });

  EXPECT_TRUE(renameChore(library, u"Docs", u"Papers"));
  EXPECT_EQ(library.copyChoreList(u"Morning").steps[0].name, u"Papers");
  EXPECT_EQ(library.copyChoreList(u"Morning").steps[0].compData, u"3");
  EXPECT_EQ(library.copyChoreList(u"Morning").steps[1].name, u"Other");
  EXPECT_EQ(library.copyChoreList(u"Evening").steps[0].name, u"Papers");
  EXPECT_FALSE(renameChore(library, u"Docs", u"Again"));

  EXPECT_TRUE(renameChoreList(library, u"Evening", u"Night"));
  EXPECT_TRUE(library.copyChoreListById(id)->inProgress);
  EXPECT_EQ(library.copyChoreListById(id)->name, u"Night");
  EXPECT_FALSE(renameChoreList(library, u"Evening", u"Again"));
  EXPECT_EQ(listNames(library), (std::vector<std::u16string>{u"Morning", u"Night"}));
}

TEST(LibraryEdits, RemovalTakesOneRecordAndNeverARunningList) {
  ChoreLibrary library;
  library.appendChore(makeChore(u"A"));
  library.appendChore(makeChore(u"B"));
  library.appendChoreList(makeList(u"Idle"));
  const ChoreListId running = library.appendChoreList(makeList(u"Busy"));
  library.withChoreList(running, [](ChoreList& list) { list.inProgress = true; });

  EXPECT_TRUE(removeChore(library, u"A"));
  EXPECT_FALSE(removeChore(library, u"A"));
  EXPECT_EQ(choreNames(library), (std::vector<std::u16string>{u"B"}));
  EXPECT_EQ(removeChoreList(library, u"Busy"), ListRemoval::Running);
  EXPECT_EQ(removeChoreList(library, u"Idle"), ListRemoval::Removed);
  EXPECT_EQ(removeChoreList(library, u"Idle"), ListRemoval::Missing);
  EXPECT_EQ(listNames(library), (std::vector<std::u16string>{u"Busy"}));
}

}  // namespace
}  // namespace tolvane
