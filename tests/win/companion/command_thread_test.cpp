#include <gtest/gtest.h>

#include "companion_fixture.h"

namespace tolvane::test {
namespace {

// Sends a folder as the main program does and lets the Explorer host take
// it and carry it out on its window thread.
void sendFolder(HostProcess& main, HostProcess& explorer, const std::string& folder) {
  EXPECT_EQ(main.ask("gotofolder " + folder), "sent");
  EXPECT_EQ(explorer.ask("waitflag isCmdReady 1 15000"), "1");
  EXPECT_EQ(explorer.ask("pump 200"), "ok");
}

// The main program and one Explorer with the command thread running.
struct CompanionCommandThread : CompanionWithExplorer {
  void start(const std::wstring& name) {
    ASSERT_NO_FATAL_FAILURE(startMainAndExplorer(name));
    ASSERT_EQ(explorer->ask("waitflag isBhoUp 1 15000"), "1");
  }

  // Writes a command as the main program does and waits until the command
  // thread has taken it (while Explorer's window thread pumps).
  void command(const std::string& word) {
    ASSERT_EQ(main->ask("set setHstCommand " + word), "ok");
    ASSERT_EQ(main->ask("signal"), "ok");
    ASSERT_EQ(explorer->ask("waitflag isCmdReady 1 15000"), "1");
    ASSERT_EQ(explorer->ask("pump 100"), "ok");
  }
};

TEST_F(CompanionCommandThread, GotoFolderNavigatesThePrimaryWindowOnItsOwnThreadAndBringsItToFront) {
  ASSERT_NO_FATAL_FAILURE(start(L"goto-folder"));
  ASSERT_EQ(explorer->ask("browser"), "0 00000000");
  ASSERT_EQ(explorer->ask("browser"), "1 00000000");
  EXPECT_EQ(explorer->ask("block instCount"), "2");
  ASSERT_EQ(explorer->ask("minimize 0"), "ok");
  ASSERT_EQ(explorer->ask("iconic 0"), "1");
  EXPECT_EQ(main->ask("flag isCmdReady"), "1");

  sendFolder(*main, *explorer, "C:\\windows\\system32");
  EXPECT_EQ(explorer->ask("navs 0"), "1 window-thread C:\\windows\\system32");
  EXPECT_EQ(explorer->ask("navs 1"), "0 other-thread ");  // only the primary window moves
  EXPECT_EQ(explorer->ask("iconic 0"), "0");
  EXPECT_EQ(explorer->ask("foreground 0"), "1");
  EXPECT_NE(readDebugLog().find("Bho>processing GOTOFOLDER cmd."), std::string::npos);
}

TEST_F(CompanionCommandThread, CommandWordsAreCarriedOutAndAlwaysCleared) {
  ASSERT_NO_FATAL_FAILURE(start(L"command-words"));
  command("ping");
  command("startFolderWatch");
  EXPECT_EQ(main->ask("block folderWatch"), "1");
  command("stopFolderWatch");
  EXPECT_EQ(main->ask("block folderWatch"), "0");
  command("GotoFolder");
  command("nodebuglog");
  EXPECT_EQ(main->ask("block debugLogging"), "0");
  command("ping");        // not logged: logging is off
  command("nodebuglog");  // not logged either
  command("debuglog");
  EXPECT_EQ(main->ask("block debugLogging"), "1");
  EXPECT_EQ(main->ask("flag isCmdReady"), "1");

  const std::string log = readDebugLog();
  EXPECT_EQ(countOf(log, "Bho>processing Ping cmd."), 1) << log;
  EXPECT_EQ(countOf(log, "Bho>processing STARTFOLDERWATCH cmd."), 1) << log;
  EXPECT_EQ(countOf(log, "Bho>processing STOPFOLDERWATCH cmd."), 1) << log;
  EXPECT_EQ(countOf(log, "Bho>Unknown command: GotoFolder"), 1) << log;
  EXPECT_EQ(countOf(log, "Bho>processing NODEBUGLOG cmd."), 1) << log;
  EXPECT_EQ(countOf(log, "Bho>processing DEBUGLOG cmd."), 1) << log;
  // Logging came back on only at "debuglog", so it is the last line.
  EXPECT_EQ(log.rfind("Bho>"), log.rfind("Bho>processing DEBUGLOG cmd.")) << log;
}

TEST_F(CompanionCommandThread, GotoFolderTakesAnotherWindowOfItsProcessOrStopsClaimingToBeUp) {
  ASSERT_NO_FATAL_FAILURE(start(L"goto-fallback"));
  // The first window sited anywhere becomes primary, here in a second
  // Explorer process that has no command thread.
  HostProcess otherExplorer(stage.explorer);
  ASSERT_EQ(otherExplorer.ask("load"), "ok");
  ASSERT_EQ(otherExplorer.ask("browser"), "0 00000000");
  ASSERT_EQ(explorer->ask("browser"), "0 00000000");
  ASSERT_EQ(explorer->ask("browser"), "1 00000000");
  sendFolder(*main, *explorer, "C:\\users");
  EXPECT_EQ(otherExplorer.ask("navs 0"), "0 other-thread ");
  EXPECT_EQ(explorer->ask("navs 1"), "1 window-thread C:\\users");  // the most recent window
  EXPECT_EQ(explorer->ask("navs 0"), "0 other-thread ");
  EXPECT_EQ(main->ask("flag isBhoUp"), "1");

  // No window of its own left: the command is cleared only after the
  // companion has stopped claiming to be up.
  ASSERT_EQ(explorer->ask("onquit 0"), "00000000");
  ASSERT_EQ(explorer->ask("close 1"), "ok");
  EXPECT_EQ(main->ask("gotofolder C:\\windows"), "sent");
  EXPECT_EQ(explorer->ask("waitflag isCmdReady 1 15000"), "1");
  EXPECT_EQ(main->ask("flag isBhoUp"), "0");
  EXPECT_EQ(explorer->ask("pump 200"), "ok");
  EXPECT_EQ(explorer->ask("navs 0"), "0 other-thread ");
  EXPECT_EQ(explorer->ask("navs 1"), "1 window-thread C:\\users");
  EXPECT_EQ(countOf(readDebugLog(), "gotoFolder not carried out; no Explorer window of this process is open."), 1);

  // The next window of its process brings it back.
  ASSERT_EQ(explorer->ask("browser"), "2 00000000");
  EXPECT_EQ(main->ask("flag isBhoUp"), "1");
  sendFolder(*main, *explorer, "C:\\windows");
  EXPECT_EQ(explorer->ask("navs 2"), "1 window-thread C:\\windows");
}

TEST(CompanionCommands, GotoFolderSentBeforeAnyExplorerIsTakenByTheFirstCommandThreadAndCleared) {
  const CompanionStage stage = stageCompanion(L"goto-pending");
  ASSERT_FALSE(stage.folder.empty());
  clearDebugLog();
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  ASSERT_EQ(main.ask("setflag setDebugLogging 1"), "ok");
  EXPECT_EQ(main.ask("gotofolder C:\\windows"), "sent");
  EXPECT_EQ(main.ask("flag isCmdReady"), "0");
  EXPECT_EQ(main.ask("flag isBhoUp"), "0");

  HostProcess explorer(stage.explorer);
  ASSERT_EQ(explorer.ask("load"), "ok");
  EXPECT_EQ(explorer.ask("waitflag isCmdReady 1 15000"), "1");
  EXPECT_EQ(main.ask("flag isBhoUp"), "0");
  EXPECT_EQ(explorer.ask("browser"), "0 00000000");
  EXPECT_EQ(main.ask("flag isBhoUp"), "1");
  EXPECT_EQ(explorer.ask("pump 200"), "ok");
  EXPECT_EQ(explorer.ask("navs 0"), "0 other-thread ");
  EXPECT_NE(readDebugLog().find("gotoFolder not carried out; no Explorer window of this process is open."),
            std::string::npos);
}

TEST(CompanionCommands, EndOfTheCommandThreadsProcessLetsTheNextExplorerStartANewOne) {
  const CompanionStage stage = stageCompanion(L"thread-restart");
  ASSERT_FALSE(stage.folder.empty());
  clearDebugLog();
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  ASSERT_EQ(main.ask("setflag setDebugLogging 1"), "ok");
  {
    HostProcess explorer(stage.explorer);
    ASSERT_EQ(explorer.ask("load"), "ok");
    ASSERT_EQ(explorer.ask("waitflag isBhoUp 1 15000"), "1");
    ASSERT_EQ(explorer.ask("browser"), "0 00000000");
    // The host lets go of the library; the command thread keeps it loaded.
    EXPECT_EQ(explorer.ask("free"), "ok");
    EXPECT_EQ(main.ask("flag isBhoUp"), "1");
    EXPECT_TRUE(explorer.exit());
  }
  EXPECT_EQ(main.ask("flag isBhoUp"), "0");
  EXPECT_EQ(main.ask("flag isCmdReady"), "1");  // "closeShop" does not linger
  EXPECT_EQ(main.ask("block loadCount"), "0");
  EXPECT_EQ(main.ask("block primaryBho"), "null");
  EXPECT_EQ(main.ask("block instCount"), "0");
  EXPECT_EQ(main.ask("block cmdThreadHandle"), "null");
  const std::string log = readDebugLog();
  EXPECT_EQ(countOf(log, " sent CLOSESHOP event to cmdThread in DLL_PROCESS_DETACH"), 1) << log;
  EXPECT_EQ(countOf(log, " loadCount is 0; Closing up shop in DLL_PROCESS_DETACH"), 1) << log;

  HostProcess nextExplorer(stage.explorer);
  ASSERT_EQ(nextExplorer.ask("load"), "ok");
  EXPECT_EQ(nextExplorer.ask("waitflag isBhoUp 1 15000"), "1");
  ASSERT_EQ(nextExplorer.ask("browser"), "0 00000000");
  sendFolder(main, nextExplorer, "C:\\users");
  EXPECT_EQ(nextExplorer.ask("navs 0"), "1 window-thread C:\\users");
}

TEST_F(CompanionCommandThread, KilledCommandThreadHostIsForgottenAndANewExplorerRunsTheOnlyNewThread) {
  ASSERT_NO_FATAL_FAILURE(start(L"thread-killed"));
  ASSERT_TRUE(explorer->kill());

  // The next Explorer to attach finds the thread's process gone.
  HostProcess second(stage.explorer);
  ASSERT_EQ(second.ask("load"), "ok");
  EXPECT_EQ(second.ask("waitflag isBhoUp 1 15000"), "1");
  HostProcess third(stage.explorer);
  ASSERT_EQ(third.ask("load"), "ok");
  EXPECT_EQ(countOf(readDebugLog(), "cmdThread created in"), 2);
  EXPECT_EQ(main->ask("block loadCount"), "2");
  ASSERT_EQ(second.ask("browser"), "0 00000000");
  sendFolder(*main, second, "C:\\users");
  EXPECT_EQ(second.ask("navs 0"), "1 window-thread C:\\users");

  // The main program asking sees it at once; an Explorer that stayed takes
  // over with its next window.
  ASSERT_TRUE(second.kill());
  EXPECT_EQ(main->ask("flag isBhoUp"), "0");
  EXPECT_EQ(main->ask("block cmdThreadHandle"), "null");
  EXPECT_EQ(main->ask("block loadCount"), "1");
  ASSERT_EQ(third.ask("browser"), "0 00000000");
  EXPECT_EQ(third.ask("waitflag isBhoUp 1 15000"), "1");
  sendFolder(*main, third, "C:\\windows");
  EXPECT_EQ(third.ask("navs 0"), "1 window-thread C:\\windows");
  const std::string log = readDebugLog();
  EXPECT_EQ(countOf(log, "cmdThread created in"), 3) << log;
  EXPECT_EQ(countOf(log, " forgotten by uProcId="), 2) << log;
}

}  // namespace
}  // namespace tolvane::test
