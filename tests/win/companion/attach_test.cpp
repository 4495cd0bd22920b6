#include <gtest/gtest.h>

#include "companion_stage.h"
#include "host_process.h"

namespace tolvane::test {
namespace {

constexpr char kRefused[] = "error 0000045a";  // ERROR_DLL_INIT_FAILED

TEST(CompanionAttach, ExplorerIsRefusedWhileTheMainProgramIsAway) {
  const CompanionStage stage = stageCompanion(L"attach-refused");
  ASSERT_FALSE(stage.folder.empty());
  {
    HostProcess explorer(stage.explorer);
    ASSERT_TRUE(explorer.started());
    EXPECT_EQ(explorer.ask("load"), kRefused);
    EXPECT_TRUE(explorer.exit());
  }
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  EXPECT_EQ(main.ask("block loadCount"), "0");  // the refused load counted nothing
  EXPECT_EQ(main.ask("block cmdThreadHandle"), "null");
  EXPECT_EQ(main.ask("flag isBhoUp"), "0");

  // Internet Explorer is refused even while the main program is there.
  HostProcess iexplore(stage.iexplore);
  EXPECT_EQ(iexplore.ask("load"), kRefused);
  EXPECT_EQ(main.ask("block loadCount"), "0");
}

TEST(CompanionAttach, FirstExplorerStartsTheOneCommandThreadAndEveryHostIsCounted) {
  const CompanionStage stage = stageCompanion(L"attach-accepted");
  ASSERT_FALSE(stage.folder.empty());
  clearDebugLog();
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  EXPECT_EQ(main.ask("setflag setDebugLogging 1"), "ok");
  EXPECT_EQ(main.ask("block bTolvaneLoaded"), "1");

  HostProcess explorer(stage.explorer);
  ASSERT_EQ(explorer.ask("load"), "ok");
  EXPECT_EQ(explorer.ask("waitflag isBhoUp 1 15000"), "1");
  EXPECT_EQ(main.ask("flag isBhoUp"), "1");
  EXPECT_EQ(main.ask("block loadCount"), "1");

  HostProcess secondExplorer(stage.explorer);
  ASSERT_EQ(secondExplorer.ask("load"), "ok");
  EXPECT_EQ(main.ask("block loadCount"), "2");
  HostProcess keyrune(stage.keyruneHost);
  ASSERT_EQ(keyrune.ask("load"), "ok");
  EXPECT_EQ(main.ask("block loadCount"), "3");
  // The main program is never counted (its first load came before logging
  // was on, so a second one shows the line).
  HostProcess secondMain(stage.mainProgram);
  ASSERT_EQ(secondMain.ask("bind"), "ok");
  EXPECT_EQ(main.ask("block loadCount"), "3");

  const std::string log = readDebugLog();
  EXPECT_EQ(countOf(log, "cmdThread created in"), 1) << log;
  EXPECT_EQ(countOf(log, "...entering cmdThread..."), 1) << log;
  EXPECT_EQ(countOf(log, " loaded by the Tolvane; uProcId="), 1) << log;
  EXPECT_EQ(countOf(log, " loaded by Keyrune+; uProcId="), 1) << log;
  EXPECT_EQ(countOf(log, "explorer.exe; uProcId="), 2) << log;
  EXPECT_NE(log.find("loadCount=2, hModule="), std::string::npos) << log;
  EXPECT_EQ(countOf(log, "Bho>Beginning log on..... "), 4) << log;  // one header per logging process
}

TEST(CompanionAttach, ExplorersLoadedWhileTheMainProgramRanStayAfterItLeaves) {
  const CompanionStage stage = stageCompanion(L"attach-after-main");
  ASSERT_FALSE(stage.folder.empty());
  HostProcess explorer(stage.explorer);
  {
    HostProcess main(stage.mainProgram);
    ASSERT_EQ(main.ask("bind"), "ok");
    ASSERT_EQ(explorer.ask("load"), "ok");
    EXPECT_EQ(main.ask("unbind"), "ok");
    EXPECT_TRUE(main.exit());
  }
  EXPECT_EQ(explorer.ask("block bTolvaneLoaded"), "0");
  EXPECT_EQ(explorer.ask("flag isBhoUp"), "1");
  HostProcess lateExplorer(stage.explorer);
  EXPECT_EQ(lateExplorer.ask("load"), kRefused);
  EXPECT_EQ(explorer.ask("block loadCount"), "1");
  // Keyrune+ is welcome at any time.
  HostProcess keyrune(stage.keyruneHost);
  EXPECT_EQ(keyrune.ask("load"), "ok");
  EXPECT_EQ(explorer.ask("block loadCount"), "2");
}

}  // namespace
}  // namespace tolvane::test
