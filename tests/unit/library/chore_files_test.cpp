#include "library/chore_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/text.h"
#include "library/backup_history.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_time.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"
#include "support/test_paths.h"

namespace tolvane {
namespace {

using test::FakeFiles;
using test::FakePrompts;

std::string goldenBytes(const std::string& name) {
  std::ifstream in(test::testDataPath("chore_files/" + name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ChoreFiles : public ::testing::Test {
 protected:
  ChoreFilesReport read() { return readChoreFiles(library, services); }

  // Reads a chore file holding `choreBody` inside <Chores> and a list file
  // holding `listBody` inside <ChoreLists>.
  ChoreFilesReport readBodies(std::u16string_view choreBody, std::u16string_view listBody) {
    files.putText(kChoreFileName, std::u16string(u"<Chores>") + std::u16string(choreBody) + u"</Chores>");
    files.putText(kChoreListFileName, std::u16string(u"<ChoreLists>") + std::u16string(listBody) + u"</ChoreLists>");
    return read();
  }

  std::u16string savedText(std::u16string_view name) {
    saveChoreFiles(library, files, time);
    return fromFileBytes(files.bytes(name).value_or("")).text;
  }

  test::FakeTime time{LocalTime{2026, 6, 15, 12}};
  FakeFiles files;
  test::RecordingLogSink log;
  ChoreFileServices services{files, time, log};
  ChoreLibrary library;
};

// The records that the golden files hold.
LibraryContents goldenLibrary(const Clock& clock) {
  LibraryContents contents;
  Chore docs = test::exploreChore(u"Docs", u"C:\\Docs");
  docs.hotKey = {0x4B, kHotKeyControl | kHotKeyAlt};
  docs.keyRepeat = 0;  // no key to repeat: read back as 0 whatever the file says
  const Chore full = test::fullChore(u"Tom's \"big\" <window> & co");
  contents.chores = {docs, full};

  Chore delay = test::makeStep(docs, DELAY, u"5");
  delay.timeout = 30;
  delay.continueOnTimeout = true;
  Chore waitKey = test::makeStep(full, WAIT_HOTKEY);
  waitKey.hotKeyChore = {0x45, kHotKeyControl};
  waitKey.stepPartialMatch = true;
  ChoreList morning = test::makeList(u"Morning & more", {delay, waitKey});
  morning.hotKey = {0x4D, kHotKeyControl | kHotKeyAlt};
  ChoreSchedule& s = morning.schedule;
  s.runWindows = true;
  s.hasRunTimeOfDay = true;
  s.runTimeOfDay = clock.fromLocal(LocalTime{2026, 2, 2, 7, 5, 9});
  s.runEveryday = true;
  s.runDayOfWeek = u"Mon,Wed";
  s.hasRunDate = true;
  s.runDate = clock.fromLocal(LocalTime{2007, 4, 3});
  s.runPostDelay = 2;
  s.runRepeatCount = 1;
  s.nextChorelist = u"Evening";
  s.alwaysRun = true;
  contents.lists = {morning, test::makeList(u"Evening")};
  return contents;
}

TEST_F(ChoreFiles, GoldenFilesLoadIntoTheRecordsAndSaveBackByteForByte) {
  const std::string choreBytes = goldenBytes("_TolvaneChores.xml");
  const std::string listBytes = goldenBytes("_TolvaneChoreLists.xml");
  ASSERT_FALSE(choreBytes.empty());
  files.put(kChoreFileName, choreBytes);
  files.put(kChoreListFileName, listBytes);

  const ChoreFilesReport report = read();
  EXPECT_EQ(report.count, 4);
  EXPECT_EQ(report.chores.status, ChoreFileStatus::Read);
  EXPECT_EQ(report.lists.status, ChoreFileStatus::Read);
  EXPECT_TRUE(report.droppedSteps.empty());

  const LibraryContents expected = goldenLibrary(time);
  library.read([&](const LibraryContents& loaded) {
    EXPECT_EQ(loaded.chores, expected.chores);
    EXPECT_EQ(loaded.lists, expected.lists);
  });

  files.remove(kChoreFileName);
  files.remove(kChoreListFileName);
  const ChoreFilesSaved saved = saveChoreFiles(library, files, time);
  EXPECT_TRUE(saved.chores && saved.lists);
  EXPECT_EQ(files.bytes(kChoreFileName), choreBytes);
  EXPECT_EQ(files.bytes(kChoreListFileName), listBytes);

  // Records built in memory save to the same bytes.
  ChoreLibrary built;
  built.edit([&](LibraryContents& c) { c = expected; });
  FakeFiles other;
  saveChoreFiles(built, other, time);
  EXPECT_EQ(other.bytes(kChoreFileName), choreBytes);
  EXPECT_EQ(other.bytes(kChoreListFileName), listBytes);
}

TEST_F(ChoreFiles, EmptyLibrarySavesBareRootsThatReadAsNoRecords) {
  EXPECT_EQ(savedText(kChoreFileName), u"<Chores/>\r\n");
  EXPECT_EQ(savedText(kChoreListFileName), u"<ChoreLists/>\r\n");
  library.appendChore(test::makeChore(u"stale"));
  const ChoreFilesReport report = read();
  EXPECT_EQ(report.count, 0);
  EXPECT_EQ(report.chores.status, ChoreFileStatus::Read);
  EXPECT_EQ(library.choreCount(), 0);
}

TEST_F(ChoreFiles, WindowPositionIsWrittenOnlyForThePositionOperationAndReadLeniently) {
  Chore position = test::makeChore(u"P", CHORE_WINOP);
  position.notifyCode = WINOP_POSITION;
  position.winPos = WindowPosition{10, 20, 810, 620};
  Chore leftMonitor = position;
  leftMonitor.name = u"L";
  leftMonitor.winPos = WindowPosition{-1920, -200, -1000, 500};
  Chore close = position;
  close.name = u"C";
  close.notifyCode = kWindowOpClose;
  Chore unset = position;
  unset.name = u"U";
  unset.winPos.reset();
  library.appendChore(position);
  library.appendChore(leftMonitor);
  library.appendChore(close);
  library.appendChore(unset);
  const std::u16string text = savedText(kChoreFileName);
  EXPECT_NE(text.find(u"<winPos>10,20,810,620</winPos>"), std::u16string::npos);
  EXPECT_EQ(text.find(u"<winPos>", text.find(u"name=\"C\"")), std::u16string::npos);
  EXPECT_NE(text.find(u"<winPos/>"), std::u16string::npos);
  read();
  EXPECT_EQ(library.choreAt(0).winPos, position.winPos);
  EXPECT_EQ(library.choreAt(1).winPos, leftMonitor.winPos);
  EXPECT_FALSE(library.choreAt(3).winPos.has_value());

  EXPECT_EQ(parseWindowPosition(u"-1000,0,10,10"), (WindowPosition{-1000, 0, 10, 10}));
  EXPECT_EQ(parseWindowPosition(u"123456789012,0,10,10"), WindowPosition::invalid());
  EXPECT_EQ(parseWindowPosition(u"10,,20,30,,40"), (WindowPosition{10, 20, 30, 40}));
  EXPECT_EQ(parseWindowPosition(u"1,2,3,4,99999"), (WindowPosition{1, 2, 3, 4}));
  EXPECT_EQ(parseWindowPosition(u"-1,-1,-2,-2")->isInvalid(), true);
  EXPECT_EQ(parseWindowPosition(u"1,2,3"), std::nullopt);
  EXPECT_EQ(parseWindowPosition(u""), std::nullopt);
  EXPECT_EQ(parseWindowPosition(u"1,x,3,4"), (WindowPosition{1, 0, 3, 4}));
}

TEST_F(ChoreFiles, FlagsAndNumbersReadAsTheFormatAlwaysHasBeenRead) {
  readBodies(
      u"<Chore name=\"a\"><verb>Run</verb><type>3</type><startNew>2</startNew><partialMatch>1</partialMatch>"
      u"<wndMsg>65537</wndMsg><menuSimKey>196691</menuSimKey><keyRepeat>4</keyRepeat><hitEnter>2</hitEnter>"
      u"<notifyCode>-1</notifyCode><fileOpConfirm>-1</fileOpConfirm></Chore>"
      u"<Chore name=\"b\"><menuSimKey>0</menuSimKey><keyRepeat>4</keyRepeat><hitEnter>1</hitEnter>"
      u"<newWindow>3</newWindow><fileOpConfirm>5</fileOpConfirm>"
      u"<fileOpSource><fileOpSourceItem>x</fileOpSourceItem></fileOpSource><fileOpSource/></Chore>",
      u"");
  const Chore a = library.choreAt(0);
  EXPECT_FALSE(a.startNew);
  EXPECT_TRUE(a.partialMatch);
  EXPECT_EQ(a.wndMsg, 1);
  EXPECT_EQ(a.menuSimKey, (HotKeyCode{0x53, 3}));
  EXPECT_EQ(a.keyRepeat, 4);
  EXPECT_TRUE(a.hitEnter);
  EXPECT_EQ(a.notifyCode, 0xFFFF);
  EXPECT_FALSE(a.fileOp.fileOpConfirm);
  EXPECT_EQ(a.newWindow, 0);
  const Chore b = library.choreAt(1);
  EXPECT_EQ(b.keyRepeat, 0);  // no key to repeat
  EXPECT_FALSE(b.hitEnter);
  EXPECT_EQ(b.newWindow, 3);
  EXPECT_TRUE(b.fileOp.fileOpConfirm);
  EXPECT_EQ(b.fileOp.fileOpSource, (std::vector<std::u16string>{u"x", u""}));
}

// Older builds read past it; files without it keep their bytes (the golden files).
TEST_F(ChoreFiles, TheMissedStartFlagIsWrittenOnlyWhenSetAsTheListsLastChild) {
  ChoreList late = test::makeList(u"Late");
  late.schedule.runMissed = true;
  library.appendChoreList(late);
  library.appendChoreList(test::makeList(u"Plain"));
  const std::u16string text = savedText(kChoreListFileName);
  const auto flag = text.find(u"<alwaysRun>0</alwaysRun>\r\n<runMissed>1</runMissed>\r\n</Chorelist>");
  EXPECT_NE(flag, std::u16string::npos);
  EXPECT_EQ(text.rfind(u"<runMissed>"), flag + 26);  // Plain has none
  read();
  EXPECT_TRUE(library.copyChoreList(u"Late").schedule.runMissed);
  EXPECT_FALSE(library.copyChoreList(u"Plain").schedule.runMissed);
}

TEST_F(ChoreFiles, StepsNamingMissingChoresAreDroppedAndOptionalStepFieldsStayInTheirStep) {
  const ChoreFilesReport report = readBodies(
      u"<Chore name=\"A\"><type>17</type></Chore><Chore name=\"a\"><type>17</type></Chore>",
      u"<Chorelist name=\"L\" hotKey=\"131141\">"
      u"<choreName>Gone</choreName><compType>7</compType><compData>1</compData><hotKeyChore>0</hotKeyChore>"
      u"<partialMatch>0</partialMatch><timeout>9</timeout><continueOnTimeout>1</continueOnTimeout>"
      u"<choreName>a</choreName><compType>1</compType><compData>Win</compData><hotKeyChore>0</hotKeyChore>"
      u"<partialMatch>1</partialMatch>"
      u"<choreName>A</choreName><compType>7</compType><compData>2</compData><hotKeyChore>0</hotKeyChore>"
      u"<partialMatch>0</partialMatch><timeout>8</timeout><continueOnTimeout>1</continueOnTimeout>"
      u"<nextChorelist>M</nextChorelist></Chorelist>");
  EXPECT_EQ(report.count, 3);
  ASSERT_EQ(report.droppedSteps.size(), 1u);
  EXPECT_EQ(report.droppedSteps[0].listName, u"L");
  EXPECT_EQ(report.droppedSteps[0].choreName, u"Gone");
  const ChoreList list = library.choreListAt(0);
  EXPECT_EQ(list.hotKey, (HotKeyCode{0x45, kHotKeyControl}));
  ASSERT_EQ(list.steps.size(), 2u);
  EXPECT_EQ(list.steps[0].name, u"a");
  EXPECT_EQ(list.steps[0].compData, u"Win");
  EXPECT_TRUE(list.steps[0].stepPartialMatch);
  EXPECT_EQ(list.steps[0].timeout, 0);
  EXPECT_FALSE(list.steps[0].continueOnTimeout);
  EXPECT_EQ(list.steps[1].name, u"A");
  EXPECT_EQ(list.steps[1].timeout, 8);
  EXPECT_TRUE(list.steps[1].continueOnTimeout);
  EXPECT_EQ(list.schedule.nextChorelist, u"M");
  EXPECT_NE(list.id, 0u);

  // The next save loses the dropped step for good.
  EXPECT_EQ(savedText(kChoreListFileName).find(u"Gone"), std::u16string::npos);
}

TEST_F(ChoreFiles, TimesAndDatesOutsideTheCalendarAreNotSet) {
  auto schedule = [&](std::u16string_view elements) {
    readBodies(u"", std::u16string(u"<Chorelist name=\"L\" hotKey=\"0\">") + std::u16string(elements) +
                        u"</Chorelist>");
    return library.choreListAt(0).schedule;
  };
  ChoreSchedule s = schedule(u"<runTimeOfDay>070509</runTimeOfDay><runDate>03042007</runDate>");
  EXPECT_TRUE(s.hasRunTimeOfDay);
  EXPECT_EQ(s.runTimeOfDay, time.fromLocal(LocalTime{2026, 2, 2, 7, 5, 9}));
  EXPECT_TRUE(s.hasRunDate);
  EXPECT_EQ(s.runDate, time.fromLocal(LocalTime{2007, 4, 3}));

  for (const std::u16string_view bad : {u"240000", u"126000", u"120060", u"-10000", u"07", u"ab0000"}) {
    s = schedule(std::u16string(u"<runTimeOfDay>") + std::u16string(bad) + u"</runTimeOfDay>");
    EXPECT_FALSE(s.hasRunTimeOfDay) << std::string(bad.begin(), bad.end());
    EXPECT_EQ(s.runTimeOfDay, 0);
  }
  for (const std::u16string_view bad : {u"32012007", u"00012007", u"01132007", u"01001999", u"01011899",
                                        u"30022007", u"29022007", u"0101"}) {
    s = schedule(std::u16string(u"<runDate>") + std::u16string(bad) + u"</runDate>");
    EXPECT_FALSE(s.hasRunDate) << std::string(bad.begin(), bad.end());
    EXPECT_EQ(s.runDate, 0);
  }
  s = schedule(u"<runTimeOfDay/><runDate>29022008</runDate>");
  EXPECT_TRUE(s.hasRunDate);
  EXPECT_FALSE(s.hasRunTimeOfDay);
  s = schedule(u"");
  EXPECT_FALSE(s.hasRunDate || s.hasRunTimeOfDay || s.runWindows || s.alwaysRun);
  EXPECT_EQ(s.runPostDelay, 0);
}

TEST_F(ChoreFiles, MissingBrokenAndForeignFilesLoseNothing) {
  // Both missing: empty library, nothing said.
  ChoreFilesReport report = read();
  EXPECT_EQ(report.count, 0);
  EXPECT_EQ(report.chores.status, ChoreFileStatus::Missing);
  EXPECT_EQ(report.lists.status, ChoreFileStatus::NotRead);

  // A list file without a chore file is not read.
  files.putText(kChoreListFileName, u"<ChoreLists><Chorelist name=\"L\" hotKey=\"0\"/></ChoreLists>");
  report = read();
  EXPECT_EQ(report.lists.status, ChoreFileStatus::NotRead);
  EXPECT_EQ(library.choreListCount(), 0);

  // An unparsable chore file keeps the chores the library had.
  library.appendChore(test::makeChore(u"kept"));
  files.putText(kChoreFileName, u"<Chores><Chore name=\"x\"></Chores>");
  report = read();
  EXPECT_EQ(report.chores.status, ChoreFileStatus::Unparsable);
  EXPECT_EQ(report.chores.error, u"End tag does not correspond to Chore");
  EXPECT_EQ(library.choreCount(), 1);
  EXPECT_EQ(library.choreAt(0).name, u"kept");
  EXPECT_EQ(report.lists.status, ChoreFileStatus::Read);

  // A NUL far from the end stops the load and says so in the debug log.
  std::string bytes = toFileBytes(u"<Chores><Chore name=\"y\"/></Chores>");
  bytes.insert(4, std::string(2, '\0'));
  files.put(kChoreFileName, bytes);
  report = read();
  EXPECT_EQ(report.count, 0);
  EXPECT_EQ(report.chores.status, ChoreFileStatus::Unconvertible);
  EXPECT_EQ(report.lists.status, ChoreFileStatus::NotRead);
  EXPECT_TRUE(log.activityTexts().empty());
  EXPECT_EQ(log.debugTexts(), std::vector<std::string>{"xml file error converting file to string. "});

  // A byte-order mark (and a NUL near the end, as some editors leave) is fine.
  files.put(kChoreFileName, toFileBytes(u"\xFEFF<Chores><Chore name=\"z\"/></Chores>") + std::string(6, '\0') + "x");
  report = read();
  EXPECT_EQ(report.chores.status, ChoreFileStatus::Read);
  EXPECT_EQ(library.choreAt(0).name, u"z");
}

TEST_F(ChoreFiles, SavingWritesBothFilesOrNeitherAndSaysWhichFileStoppedIt) {
  library.appendChore(test::makeChore(u"A"));
  files.put(kChoreFileName, "old chores");
  files.put(kChoreListFileName, "old lists");
  files.failReplace(kChoreListFileName, 32);
  const ChoreFilesSaved saved = saveChoreFiles(library, files, time);
  EXPECT_FALSE(saved.chores || saved.lists);
  EXPECT_EQ(saved.failure.path, kChoreListFileName);
  EXPECT_EQ(saved.failure.error, 32u);
  EXPECT_EQ(files.bytes(kChoreFileName), "old chores");
  EXPECT_EQ(files.bytes(kChoreListFileName), "old lists");
}

// The sample files are what the program itself writes: loading and saving
// them changes no byte, and window operations post the system command.
TEST_F(ChoreFiles, SampleFilesSaveBackByteForByte) {
  const auto sample = [](const std::string& name) { return goldenBytes("../../../sample/" + name); };
  files.put(kChoreFileName, sample("_TolvaneChores.xml"));
  files.put(kChoreListFileName, sample("_TolvaneChoreLists.xml"));
  const ChoreFilesReport report = read();
  ASSERT_EQ(report.lists.status, ChoreFileStatus::Read);
  EXPECT_TRUE(report.droppedSteps.empty());
  library.read([](const LibraryContents& contents) {
    for (const Chore& chore : contents.chores) EXPECT_TRUE(chore.type != CHORE_WINOP || chore.wndMsg == 274);
  });
  FakeFiles saved;
  saveChoreFiles(library, saved, time);
  EXPECT_EQ(saved.bytes(kChoreFileName), sample("_TolvaneChores.xml"));
  EXPECT_EQ(saved.bytes(kChoreListFileName), sample("_TolvaneChoreLists.xml"));
}

TEST_F(ChoreFiles, FilesThatDidNotLoadAreNamedWithWhyAndWhereAndGuarded) {
  constexpr std::u16string_view kGood = u"<Chores>\r\n<Chore name=\"a\"/>\r\n</Chores>";
  constexpr std::u16string_view kBroken = u"<Chores>\r\n<Chore name=\"a\">\r\n</Chores>\r\n";
  constexpr std::u16string_view kLists = u"<ChoreLists/>";
  const std::u16string brokenLine =
      u"_TolvaneChores.xml could not be read: End tag does not correspond to Chore (line 3, column 1).";
  enum Chores { Absent, Good, Broken, Locked, Nul };
  const struct {
    Chores chores;
    std::optional<std::u16string_view> lists;
    std::vector<std::u16string> problems;
    bool choresGuarded, choresDamaged, listsGuarded, listsDamaged;
  } cases[] = {
      {Good, kLists, {}, false, false, false, false},
      {Absent, std::nullopt, {}, false, false, false, false},
      {Broken, kLists, {brokenLine}, true, true, true, false},
      {Broken, std::nullopt, {brokenLine}, true, true, false, false},
      {Absent, kLists, {u"_TolvaneChoreLists.xml is ignored, because _TolvaneChores.xml is missing."},
       false, false, true, false},
      {Locked, kLists,
       {u"_TolvaneChores.xml could not be read: the file cannot be opened.",
        u"_TolvaneChoreLists.xml was not read, because _TolvaneChores.xml could not be read."},
       true, true, true, false},
      {Nul, kLists,
       {u"_TolvaneChores.xml could not be read: a NUL character cuts its text short.",
        u"_TolvaneChoreLists.xml was not read, because _TolvaneChores.xml could not be read."},
       true, true, true, false},
      {Good, u"", {u"_TolvaneChoreLists.xml could not be read: the file is empty."}, false, false, true, true},
  };
  for (const auto& c : cases) {
    FakeFiles folder;
    if (c.chores != Absent) folder.putText(kChoreFileName, c.chores == Broken ? kBroken : kGood);
    if (c.chores == Locked) folder.failRead(kChoreFileName);
    if (c.chores == Nul) folder.put(kChoreFileName, toFileBytes(kGood).insert(4, std::string(2, '\0')));
    if (c.lists) folder.putText(kChoreListFileName, *c.lists);
    test::RecordingLogSink said;
    FakePrompts prompts;
    ChoreLibrary loaded;
    const ChoreFilesReport report = loadChoreFiles(loaded, {folder, time, said}, prompts, u"");
    const auto where = testing::Message() << "case " << (&c - cases);
    EXPECT_EQ(choreFileProblems(report), c.problems) << where;
    std::vector<std::string> expectedLines;
    for (const auto& problem : c.problems) expectedLines.push_back(toUtf8(problem));
    EXPECT_EQ(said.activityTexts(), expectedLines) << where;
    for (const auto& line : said.activityLines()) EXPECT_TRUE(line.isError) << where;
    EXPECT_EQ(report.guard.chores.guarded, c.choresGuarded) << where;
    EXPECT_EQ(report.guard.chores.damaged, c.choresDamaged) << where;
    EXPECT_EQ(report.guard.lists.guarded, c.listsGuarded) << where;
    EXPECT_EQ(report.guard.lists.damaged, c.listsDamaged) << where;
  }
}

// A damaged chore file beside good backups: close neither backs it up nor
// writes over it; a save keeps both files aside first, once.
TEST_F(ChoreFiles, CloseKeepsWhatStartUpCouldNotLoad) {
  const std::u16string folder = u"P\\";
  const std::u16string choreFile = folder + u"_TolvaneChores.xml";
  const std::u16string listFile = folder + u"_TolvaneChoreLists.xml";
  files.putText(choreFile, u"<Chores><Chore name=\"a\"></Chores>");
  files.putText(listFile, u"<ChoreLists><Chorelist name=\"L\" hotKey=\"0\"><choreName>a</choreName>"
                          u"</Chorelist></ChoreLists>");
  files.put(choreFile + u".backup", "good chores");
  files.put(listFile + u".backup", "good lists");
  const std::string damaged = *files.bytes(choreFile);
  const std::string lists = *files.bytes(listFile);
  FakePrompts prompts;
  ChoreFileGuard guard = loadChoreFiles(library, services, prompts, folder).guard;

  backUpOnClose(files, prompts, time, {guard.guardsRun(), false}, folder);
  EXPECT_EQ(files.bytes(choreFile + u".backup"), "good chores");
  EXPECT_EQ(files.bytes(listFile + u".backup"), "good lists");
  EXPECT_TRUE(prompts.shown().empty());

  library.appendChore(test::makeChore(u"new"));
  const ChoreFilesSaved saved = saveChoreFiles(library, services, guard, folder);
  EXPECT_TRUE(saved.chores && saved.lists);
  EXPECT_EQ(files.bytes(choreFile + u".damaged-20260615-120000"), damaged);
  EXPECT_EQ(files.bytes(listFile + u".kept-20260615-120000"), lists);
  EXPECT_EQ(log.count("Saving P\\_TolvaneChores.xml: the file as it was at start is kept as "
                      "P\\_TolvaneChores.xml.damaged-20260615-120000."),
            1);
  EXPECT_EQ(log.count("_TolvaneChoreLists.xml.kept-20260615-120000."), 1);
  EXPECT_EQ(fromFileBytes(*files.bytes(choreFile)).text,
            library.read([](const LibraryContents& c) { return choreFileText(c.chores); }));

  // A second save (the session ends, then the exit) keeps nothing more,
  // and the backups still hold the last good copies.
  files.put(choreFile + u".damaged-20260615-120000-2", "someone else's");
  saveChoreFiles(library, services, guard, folder);
  backUpOnClose(files, prompts, time, {guard.guardsRun(), true}, folder);
  EXPECT_EQ(files.bytes(choreFile + u".damaged-20260615-120000-2"), "someone else's");
  EXPECT_FALSE(files.fileExists(choreFile + u".damaged-20260615-120000-3"));
  EXPECT_EQ(files.bytes(choreFile + u".backup"), "good chores");
  EXPECT_EQ(files.bytes(listFile + u".backup"), "good lists");
}

TEST_F(ChoreFiles, NeitherFileIsWrittenWhenOneCannotBeKeptAsideAndAFreeNameIsFound) {
  files.putText(kChoreFileName, u"<Chores>");
  files.putText(kChoreListFileName, u"<ChoreLists/>");
  files.put(u"_TolvaneChores.xml.damaged-20260615-120000", "an earlier one");
  ChoreFileGuard guard = read().guard;
  const std::string damaged = *files.bytes(kChoreFileName);

  files.failCopyTo(u"_TolvaneChores.xml.damaged-20260615-120000-2", 0x70);
  const std::string lists = *files.bytes(kChoreListFileName);
  ChoreFilesSaved saved = saveChoreFiles(library, services, guard, {});
  EXPECT_FALSE(saved.chores || saved.lists);
  EXPECT_EQ(saved.failure.path, u"_TolvaneChores.xml.damaged-20260615-120000-2");
  EXPECT_EQ(files.bytes(kChoreFileName), damaged);
  EXPECT_EQ(files.bytes(kChoreListFileName), lists);
  const auto refused = log.find("_TolvaneChores.xml was not saved, because it could not be kept as "
                                "_TolvaneChores.xml.damaged-20260615-120000-2 first: error 00000070.");
  ASSERT_TRUE(refused);
  EXPECT_TRUE(refused->isError);
  EXPECT_EQ(files.bytes(u"_TolvaneChores.xml.damaged-20260615-120000"), "an earlier one");
}

}  // namespace
}  // namespace tolvane
