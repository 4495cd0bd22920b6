#include <windows.h>

#include <gtest/gtest.h>

#include "companion_stage.h"
#include "host_process.h"

namespace tolvane::test {
namespace {

TEST(CompanionSharedBlock, TextsAreCutToTheirFieldsAndSeenByEveryProcess) {
  const CompanionStage stage = stageCompanion(L"block-texts");
  ASSERT_FALSE(stage.folder.empty());
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  HostProcess keyrune(stage.keyruneHost);
  ASSERT_EQ(keyrune.ask("load"), "ok");

  EXPECT_EQ(main.ask("setlong setSite 600"), "ok");
  EXPECT_EQ(keyrune.ask("get getSite"), "63 intact " + std::string(63, 'x'));
  EXPECT_EQ(main.ask("set setTlCommand logon"), "ok");
  EXPECT_EQ(keyrune.ask("get getTlCommand"), "5 intact logon");
  EXPECT_EQ(keyrune.ask("setlong setKyrError 300"), "ok");
  EXPECT_EQ(main.ask("get getKyrError"), "127 intact " + std::string(127, 'x'));
  EXPECT_EQ(keyrune.ask("set setKyrError "), "ok");
  EXPECT_EQ(main.ask("get getKyrError"), "0 intact ");

  // The main program's folder command cuts a folder that does not fit and
  // says so; the library would cut it anyway.
  const std::string longFolder = "C:\\" + std::string(297, 'f');
  EXPECT_EQ(main.ask("gotofolder " + longFolder), "sent cut");
  EXPECT_EQ(keyrune.ask("block folderName"), longFolder.substr(0, 259));
  EXPECT_EQ(keyrune.ask("setlong setFolderName 1000"), "ok");
  EXPECT_EQ(main.ask("block folderName"), std::string(259, 'x'));
  EXPECT_EQ(keyrune.ask("setlong setHstCommand 64"), "ok");
  EXPECT_EQ(main.ask("block hstCommand"), std::string(63, 'x'));
  EXPECT_EQ(main.ask("block loadCount"), "1");  // nothing beyond the texts was touched
}

TEST(CompanionSharedBlock, ReadersNeverMeetAHalfWrittenText) {
  const CompanionStage stage = stageCompanion(L"block-tearing");
  ASSERT_FALSE(stage.folder.empty());
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  HostProcess keyrune(stage.keyruneHost);
  ASSERT_EQ(keyrune.ask("load"), "ok");
  keyrune.send("hammer setKyrError 3000");
  EXPECT_EQ(main.ask("mixed getKyrError 2500"), "0 of many");
  EXPECT_EQ(keyrune.answer(), "ok");
}

TEST(CompanionSharedBlock, FlagsAndLogSizeAreSharedAndANewFirstLoadStartsAfresh) {
  const CompanionStage stage = stageCompanion(L"block-values");
  ASSERT_FALSE(stage.folder.empty());
  {
    HostProcess main(stage.mainProgram);
    ASSERT_EQ(main.ask("bind"), "ok");
    HostProcess keyrune(stage.keyruneHost);
    ASSERT_EQ(keyrune.ask("load"), "ok");
    EXPECT_EQ(main.ask("flag getKyrValidated"), "0");
    EXPECT_EQ(main.ask("flag isCmdReady"), "1");
    EXPECT_EQ(main.ask("block maxLogSize"), "5242880");
    EXPECT_EQ(keyrune.ask("setflag setKyrValidated 1"), "ok");
    EXPECT_EQ(main.ask("flag getKyrValidated"), "1");
    EXPECT_EQ(main.ask("setmaxlogsize 0"), "ok");
    EXPECT_EQ(keyrune.ask("block maxLogSize"), "0");
    EXPECT_EQ(main.ask("setmaxlogsize 3"), "ok");
    EXPECT_EQ(keyrune.ask("block maxLogSize"), "3145728");
    EXPECT_EQ(main.ask("setflag setDebugLogging 1"), "ok");
    EXPECT_EQ(main.ask("set setHstCommand ping"), "ok");
    EXPECT_EQ(keyrune.ask("flag isCmdReady"), "0");
    EXPECT_EQ(main.ask("set setSite example"), "ok");
    EXPECT_TRUE(keyrune.exit());
    EXPECT_TRUE(main.exit());
  }
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  EXPECT_EQ(main.ask("block maxLogSize"), "5242880");
  EXPECT_EQ(main.ask("flag getKyrValidated"), "0");
  EXPECT_EQ(main.ask("block debugLogging"), "0");
  EXPECT_EQ(main.ask("flag isCmdReady"), "1");
  EXPECT_EQ(main.ask("get getSite"), "0 intact ");
  EXPECT_EQ(main.ask("block loadCount"), "0");
}

TEST(CompanionSharedBlock, KeyruneStandInAnswersSurfAndLogonCommandsInTime) {
  const CompanionStage stage = stageCompanion(L"keyrune");
  ASSERT_FALSE(stage.folder.empty());
  const std::wstring record = stage.folder + L"\\record.txt";
  DeleteFileW(record.c_str());
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  EXPECT_EQ(main.ask("flag getKyrValidated"), "0");
  {
    HostProcess keyrune(stage.keyrune, L"--record " + record);
    ASSERT_TRUE(keyrune.started());
    const DWORD end = GetTickCount() + 15000;
    while (main.ask("flag getKyrValidated") != "1" && static_cast<LONG>(end - GetTickCount()) > 0) Sleep(50);
    EXPECT_EQ(main.ask("flag getKyrValidated"), "1");
    EXPECT_EQ(main.ask("keyrune gotoUrl example"), "sent|");
    EXPECT_EQ(main.ask("keyrune logon mybank"), "sent|");
    EXPECT_EQ(main.ask("keyrune logon "), "sent|no site given");
    EXPECT_EQ(main.ask("keyrune gotoUrl " + std::string(70, 's')), "sent cut|");
  }
  {
    HostProcess failing(stage.keyrune, L"--not-validated --fail \"site unknown\"");
    ASSERT_TRUE(failing.started());
    const DWORD end = GetTickCount() + 15000;
    while (main.ask("flag getKyrValidated") != "0" && static_cast<LONG>(end - GetTickCount()) > 0) Sleep(50);
    EXPECT_EQ(main.ask("flag getKyrValidated"), "0");
    Sleep(300);
    EXPECT_EQ(main.ask("keyrune gotoUrl example"), "sent|site unknown");
  }
  HANDLE file = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char text[1024] = {};
  DWORD read = 0;
  ReadFile(file, text, sizeof text - 1, &read, nullptr);
  CloseHandle(file);
  EXPECT_EQ(std::string(text), "ready\r\ngotoUrl example\r\nlogon mybank\r\nlogon \r\ngotoUrl " + std::string(63, 's') + "\r\n");
}

}  // namespace
}  // namespace tolvane::test
