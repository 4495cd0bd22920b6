#include "engine/executor/chore_executor.h"

#include <gtest/gtest.h>

#include "executor_fixture.h"
#include "base/text.h"
#include "library/settings/settings_store.h"

namespace tolvane::test {
namespace {

constexpr std::uint32_t kSysCommand = 0x0112;

TEST(ChoreExecutor, ExploreUsesTheCompanionOnlyWhenItsCommandThreadCanTakeTheFolder) {
  ExecutorFixture f;
  Chore chore = choreOf(CHORE_EXPLORE, u"Docs");
  chore.object = u"C:\\Docs";

  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: Docs, CHORE_EXPLORE:C:\\Docs");
  EXPECT_FALSE(f.lineIsError());
  EXPECT_EQ(f.companion.folders, std::vector<std::u16string>{u"C:\\Docs"});
  EXPECT_TRUE(f.shell.executions.empty());
  EXPECT_EQ(f.watchStarts, 1);
  EXPECT_EQ(f.log.debugLines.back(), u"sent gotoFolder cmd to TolvaneBho.");
  EXPECT_EQ(f.lastFolder.get(), u"C:\\Docs");

  // A new window is always the shell's.
  chore.newWindow = 1;
  EXPECT_TRUE(f.execute(chore));
  ASSERT_EQ(f.shell.executions.size(), 1u);
  EXPECT_EQ(f.shell.executions[0].verb, u"explore");
  EXPECT_EQ(f.shell.executions[0].file, u"C:\\Docs");
  EXPECT_EQ(f.watchStarts, 2);

  // Loaded, but no Explorer hosts the command thread: the shell navigates.
  chore.newWindow = 0;
  f.companion.bhoUp = false;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.shell.executions.size(), 2u);
  EXPECT_EQ(f.companion.folders.size(), 1u);

  // No companion at all.
  f.companion.loaded = false;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.shell.executions.size(), 3u);

  // A folder that does not fit the companion's field.
  f.companion.loaded = true;
  f.companion.bhoUp = true;
  chore.object = u"C:\\" + std::u16string(300, u'x');
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.shell.executions.size(), 4u);
  EXPECT_EQ(f.companion.folders.size(), 1u);
}

TEST(ChoreExecutor, ExploreIsDoneByTheCompanionOnlyWhenItNavigatedElseByTheShell) {
  struct Case {
    std::optional<int> pollsUntilTaken;  // none: the command is never taken
    bool findsWindow;
    std::intptr_t shellResult;
    bool viaShell;
    std::u16string line;
  };
  const std::u16string done = u"Chore done: Docs, CHORE_EXPLORE:C:\\Docs";
  const Case cases[] = {
      {0, true, 42, false, done},
      {20, true, 42, false, done},
      {0, false, 42, true, done},
      {std::nullopt, true, 42, true, done},
      {0, false, 2, true, u"Chore not done: Docs, CHORE_EXPLORE:C:\\Docs errCode:2"},
  };
  for (const Case& c : cases) {
    ExecutorFixture f;
    f.companion.pollsUntilTaken = c.pollsUntilTaken;
    f.companion.findsWindow = c.findsWindow;
    f.shell.executeResult = c.shellResult;
    Chore chore = choreOf(CHORE_EXPLORE, u"Docs");
    chore.object = u"C:\\Docs";
    EXPECT_EQ(f.execute(chore), c.shellResult > 32);
    EXPECT_EQ(f.line(), c.line);
    EXPECT_EQ(f.companion.folders.size(), 1u);
    EXPECT_EQ(f.shell.executions.size(), c.viaShell ? 1u : 0u);
    EXPECT_EQ(f.companion.withdrawn, !c.pollsUntilTaken.has_value());
  }
}

TEST(ChoreExecutor, ExploreFailureReportsTheShellCodeBeepsAndStillRemembersTheFolder) {
  ExecutorFixture f;
  f.companion.loaded = false;
  f.shell.executeResult = 2;
  Chore chore = choreOf(CHORE_EXPLORE, u"Gone");
  chore.object = u"C:\\Gone";
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore not done: Gone, CHORE_EXPLORE:C:\\Gone errCode:2");
  EXPECT_TRUE(f.lineIsError());
  EXPECT_EQ(f.sounds.beeps, 1);
  EXPECT_EQ(f.lastFolder.get(), u"C:\\Gone");
}

TEST(ChoreExecutor, RunActivatesARunningInstanceUnlessANewOneIsWanted) {
  ExecutorFixture f;
  WindowInfo& notepad = f.desktop.addWindow(0x10, u"Untitled - Notepad", u"Notepad");
  notepad.moduleBaseName = u"NOTEPAD.EXE";
  Chore chore = choreOf(CHORE_RUN, u"Pad");
  chore.object = u"C:\\Windows\\notepad.exe";
  chore.cmdArgs = u"a.txt";
  chore.initialDir = u"C:\\Work";

  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: Pad, CHORE_RUN:C:\\Windows\\notepad.exe");
  EXPECT_EQ(f.desktop.broughtToFront, std::vector<WindowHandle>{0x10});
  EXPECT_TRUE(f.shell.executions.empty());

  chore.startNew = true;
  EXPECT_TRUE(f.execute(chore));
  ASSERT_EQ(f.shell.executions.size(), 1u);
  EXPECT_EQ(f.shell.executions[0].verb, u"open");
  EXPECT_EQ(f.shell.executions[0].parameters, u"a.txt");
  EXPECT_EQ(f.shell.executions[0].directory, u"C:\\Work");

  f.shell.executeResult = 31;
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore not done: Pad, CHORE_RUN:C:\\Windows\\notepad.exe errCode:31");
  EXPECT_TRUE(f.lineIsError());
  EXPECT_EQ(f.sounds.beeps, 1);
}

TEST(ChoreExecutor, RunShortcutMatchesByTargetOrByItsOwnNameAndPassesNoArguments) {
  ExecutorFixture f;
  WindowInfo& editor = f.desktop.addWindow(0x20, u"Editor", u"Ed");
  editor.moduleBaseName = u"editor.exe";
  f.shell.shortcuts[u"C:\\Desk\\Tool.lnk"] = {ShortcutTarget::Status::Path, u"C:\\Tools\\tool.exe", 0};
  f.shell.shortcuts[u"C:\\Desk\\My Editor.lnk"] = {ShortcutTarget::Status::NoPath, {}, 0};

  Chore chore = choreOf(CHORE_RUN, u"S");
  chore.object = u"C:\\Desk\\Tool.lnk";
  chore.cmdArgs = u"ignored";
  chore.initialDir = u"C:\\ignored";
  EXPECT_TRUE(f.execute(chore));
  ASSERT_EQ(f.shell.executions.size(), 1u);
  EXPECT_EQ(f.shell.executions[0].verb, u"");
  EXPECT_EQ(f.shell.executions[0].parameters, u"");
  EXPECT_EQ(f.shell.executions[0].directory, u"");

  // An advertised shortcut names no file: "My Editor" finds editor.exe.
  chore.object = u"C:\\Desk\\My Editor.LNK";
  f.shell.shortcuts[u"C:\\Desk\\My Editor.LNK"] = {ShortcutTarget::Status::NoPath, {}, 0};
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.desktop.broughtToFront, std::vector<WindowHandle>{0x20});
  EXPECT_EQ(f.shell.executions.size(), 1u);

  // A shortcut that cannot be read leaves a debug line and is launched.
  chore.object = u"C:\\Desk\\Broken.lnk";
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.shell.executions.size(), 2u);
  EXPECT_EQ(f.log.debugLines.back(), u"GetPath in getShortcutTarget failed; errCode= 80004005");
}

TEST(ChoreExecutor, OpenAndPrintUseTheirVerbsAndLabels) {
  ExecutorFixture f;
  Chore chore = choreOf(CHORE_OPEN, u"O");
  chore.object = u"C:\\a.txt";
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: O, CHORE_RUN:C:\\a.txt");
  EXPECT_EQ(f.shell.executions.back().verb, u"open");

  chore.type = CHORE_PRINT;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: O, CHORE_PRINT:C:\\a.txt");
  EXPECT_EQ(f.shell.executions.back().verb, u"print");

  f.shell.executeResult = 0;
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore not done: O, CHORE_PRINT:C:\\a.txt errCode:0");
}

TEST(ChoreExecutor, UnknownTypesAndPathChoresWithoutAPathAreRefused) {
  ExecutorFixture f;
  for (const std::int32_t type : {0, 1, 2, 3, 16, 9, 99}) {
    EXPECT_FALSE(f.execute(choreOf(type, u"U")));
    EXPECT_EQ(f.line(), u"Chore not done: U, Unknown type:" + toU16(std::to_string(type)));
    EXPECT_TRUE(f.lineIsError());
  }
  EXPECT_EQ(f.sounds.beeps, 7);
  EXPECT_TRUE(f.shell.executions.empty());
  EXPECT_EQ(f.watchStarts, 0);
}

TEST(ChoreExecutor, FileOperationAsksFirstWhenConfirmationIsOnAndSilencesTheShellOtherwise) {
  ExecutorFixture f;
  Chore chore = choreOf(CHORE_FILEOP, u"Backup");
  chore.fileOp.fileOpType = FILEOP_COPY;
  chore.fileOp.fileOpSource = {u"C:\\a.txt", u"C:\\b.txt"};
  chore.fileOp.fileOpDest = u"D:\\";
  chore.fileOp.fileOpConfirm = true;

  EXPECT_FALSE(f.execute(chore));  // unanswered: No
  EXPECT_EQ(f.line(), u"Chore not done: Backup, CHORE_FILEOP:Copy");
  EXPECT_TRUE(f.lineIsError());
  EXPECT_EQ(f.sounds.beeps, 1);
  EXPECT_TRUE(f.shell.fileOperations.empty());
  ASSERT_EQ(f.prompts.shown().size(), 1u);
  EXPECT_EQ(f.prompts.shown()[0].text, u"Chore: Backup\nCHORE_FILEOP: Copy is about to be done.\nDo you wish to proceed?");
  EXPECT_EQ(f.prompts.shown()[0].caption, u"Tolvane Warning!");

  f.prompts.answer(true);
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: Backup, CHORE_FILEOP:Copy");
  ASSERT_EQ(f.shell.fileOperations.size(), 1u);
  EXPECT_EQ(f.shell.fileOperations[0].operation, ShellFileOp::Copy);
  EXPECT_EQ(f.shell.fileOperations[0].flags, 0x0180);
  EXPECT_EQ(f.shell.fileOperations[0].sources, chore.fileOp.fileOpSource);
  EXPECT_EQ(f.shell.fileOperations[0].destination, u"D:\\");

  chore.fileOp.fileOpConfirm = false;
  chore.fileOp.fileOpType = FILEOP_RENAME;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: Backup, CHORE_FILEOP:Rename");
  EXPECT_EQ(f.shell.fileOperations.back().operation, ShellFileOp::Rename);
  EXPECT_EQ(f.shell.fileOperations.back().flags, 0x0390);
  EXPECT_EQ(f.prompts.shown().size(), 2u);

  f.shell.fileOperationResult = 0x7C;
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore not done: Backup, CHORE_FILEOP:Rename");

  // No shell code for the operation: nothing is attempted.
  chore.fileOp.fileOpType = 7;
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore not done: Backup, CHORE_FILEOP:7");
  EXPECT_EQ(f.shell.fileOperations.size(), 3u);
}

TEST(ChoreExecutor, WindowOperationPostsTheSystemCommandOrPlacesTheWindow) {
  ExecutorFixture f;
  f.desktop.addWindow(0x30, u"Untitled - Notepad", u"Notepad");
  Chore chore = choreOf(CHORE_WINOP, u"W");
  chore.mainWndTxt = u"Notepad";
  chore.notifyCode = kWindowOpMinimize;

  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: W, CHORE_WINOP window not found:Notepad");
  EXPECT_TRUE(f.lineIsError());

  chore.partialMatch = true;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: W, CHORE_WINOP:Notepad");
  EXPECT_EQ(f.windows.posted.back(), (FakeWindowActions::Posted{0x30, kSysCommand, kWindowOpMinimize, 0}));

  chore.notifyCode = WINOP_POSITION;
  chore.winPos = WindowPosition::invalid();
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: W, CHORE_WINOP invalid window position.");
  chore.winPos.reset();
  EXPECT_FALSE(f.execute(chore));
  EXPECT_TRUE(f.windows.placed.empty());

  chore.winPos = WindowPosition{10, 20, 410, 320};
  f.windows.minimized.insert(0x30);
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.windows.restored, std::vector<WindowHandle>{0x30});
  EXPECT_EQ(f.windows.placed.back(), (FakeWindowActions::Placed{0x30, 10, 20, 400, 300}));
  EXPECT_EQ(f.desktop.broughtToFront.back(), 0x30u);
  EXPECT_EQ(f.windows.posted.size(), 1u);
}

TEST(ChoreExecutor, MenuAndButtonCommandsArePostedToTheTargetAfterItIsBroughtForward) {
  ExecutorFixture f;
  f.desktop.addWindow(0x40, u"Untitled - Notepad", u"Notepad");
  f.desktop.addChild(0x40, 0x41, u"OK", u"Button", 1);
  Chore chore = choreOf(CHORE_WNDMSG, u"M");
  chore.mainWndTxt = u"Untitled - Notepad";
  chore.wndMsg = 0x0111;
  chore.menuID = 0x10102;  // only the low 16 bits are a command id
  chore.menuOption = u"File [] New";

  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: M, CHORE_WNDMSG to window: File [] New");
  EXPECT_EQ(f.desktop.broughtToFront, std::vector<WindowHandle>{0x40});
  EXPECT_EQ(f.windows.posted.back(), (FakeWindowActions::Posted{0x40, 0x0111, 0x0102, 0}));

  chore.menuID = 0;
  chore.notifyCode = 0;
  chore.ctrlWndTxt = u"OK";
  chore.ctrlWndCls = u"Button";
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.windows.posted.back(), (FakeWindowActions::Posted{0x40, 0x0111, 0x00000001, 0x41}));

  chore.ctrlWndTxt.clear();
  chore.notifyCode = 5;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.windows.posted.back(), (FakeWindowActions::Posted{0x40, 0x0111, 5, 0}));

  chore.mainWndTxt = u"Nowhere";
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: M, CHORE_WNDMSG window not found: Nowhere");
  EXPECT_EQ(f.windows.posted.size(), 3u);
}

TEST(ChoreExecutor, MenuByAccessibilityInvokesThePathAndReportsTheFailureCode) {
  ExecutorFixture f;
  f.desktop.addWindow(0x50, u"App", u"AppClass");
  FakeAccessibleObject& bar = f.accessibility.rootOf(0x50).add(u"Menu", u"menu bar");
  FakeAccessibleObject& file = bar.add(u"File", u"menu item");
  FakeAccessibleObject& save = file.add(u"Save As...", u"menu item");
  Chore chore = choreOf(CHORE_WNDMSG, u"A");
  chore.mainWndTxt = u"App";
  chore.menuID = kMenuIdAccessible;
  chore.menuOption = u"File [] Save As...";

  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: A, CHORE_WNDMSG to menu: File [] Save As...");
  EXPECT_EQ(save.actions, 1);

  save.state = u"unavailable";
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: A, invoke failed for menu: File [] Save As..., errCode: 80004005");
  EXPECT_TRUE(f.windows.posted.empty());
}

TEST(ChoreExecutor, KeystrokesAreTypedWithModifiersInOrderWhileHotKeysAreOff) {
  ExecutorFixture f;
  f.desktop.addWindow(0x60, u"Untitled - Notepad", u"Notepad");
  Chore chore = choreOf(CHORE_WNDMSG, u"K");
  chore.mainWndTxt = u"Untitled - Notepad";
  chore.menuSimKey = {0x141, kHotKeyControl | kHotKeyAlt | kHotKeyShift};  // only the low byte is sent
  chore.keyRepeat = 2;
  chore.hitEnter = true;
  f.keyboard.modifierPollsHeld = 3;
  std::vector<bool> enabledWhileTyping;
  f.keyboard.onSend = [&] { enabledWhileTyping.push_back(f.hotKeysEnabled.load()); };

  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: K, CHORE_WNDMSG KeyCodeSim 141");
  using E = FakeKeyboardInput::KeyEvent;
  const std::vector<E> once = {{0x12, false}, {0x11, false}, {0x10, false}, {0x41, false},
                               {0x41, true},  {0x10, true},  {0x11, true},  {0x12, true}};
  std::vector<E> expected = once;
  expected.insert(expected.end(), once.begin(), once.end());
  expected.push_back({0x0D, false});
  expected.push_back({0x0D, true});
  EXPECT_EQ(f.keyboard.events, expected);
  EXPECT_EQ(enabledWhileTyping, std::vector<bool>(expected.size(), false));
  EXPECT_TRUE(f.hotKeysEnabled.load());
  // The user's own modifiers were waited out first, in 20 ms steps.
  EXPECT_EQ(f.keyboard.modifierPolls, 4);
  EXPECT_EQ(f.time.elapsedMs(), 60u);

  // No repetitions: only Enter.
  f.keyboard.events.clear();
  chore.keyRepeat = 0;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.keyboard.events, (std::vector<E>{{0x0D, false}, {0x0D, true}}));

  // Processing that was off stays off.
  f.hotKeysEnabled = false;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_FALSE(f.hotKeysEnabled.load());
}

TEST(ChoreExecutor, KeystrokesAreNeverTypedIntoTolvaneAndAModifierHeldForeverDelaysOnlyASecond) {
  ExecutorFixture f;
  Chore chore = choreOf(CHORE_WNDMSG, u"K");
  chore.mainWndTxt = u"Nowhere";
  chore.menuSimKey = {0x41, 0};
  f.windows.foreground = kTolvaneWindow;

  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore not done: K, keystrokes not sent due to Tolvane being in the foreground!");
  EXPECT_TRUE(f.lineIsError());
  EXPECT_EQ(f.sounds.beeps, 1);
  EXPECT_TRUE(f.keyboard.events.empty());

  // Without a target the keys go to whatever other window is in front.
  f.windows.foreground = 0x99;
  f.keyboard.modifierPollsHeld = 1000000;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: K, CHORE_WNDMSG KeyCodeSim 41");
  EXPECT_EQ(f.keyboard.events.size(), 2u);
  EXPECT_EQ(f.time.elapsedMs(), 1000u);
}

TEST(ChoreExecutor, ClipboardChoreWritesTheTextOrSaysItCouldNot) {
  ExecutorFixture f;
  Chore chore = choreOf(CHORE_CLIPBOARD, u"Clip");
  chore.siteName = u"hello";
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: Clip, CHORE_NOTHING.");
  EXPECT_EQ(f.clipboard.text, u"hello");

  EXPECT_TRUE(f.execute(choreOf(CHORE_NOTHING, u"Idle")));
  EXPECT_EQ(f.line(), u"Chore done: Idle, CHORE_NOTHING.");

  f.clipboard.refuseOpen = true;
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore not done: Clip, Failed to open the clipboard.");
  ASSERT_EQ(f.prompts.shown().size(), 1u);
  EXPECT_EQ(f.prompts.shown()[0].text, u"Failed to open the clipboard.");
  EXPECT_EQ(f.prompts.shown()[0].caption, u"Tolvane");
  EXPECT_EQ(f.prompts.shown()[0].kind, test::FakePrompts::Kind::Error);
  EXPECT_EQ(f.sounds.beeps, 1);

  // Opened, but the text did not get there: the box says what failed.
  f.clipboard.refuseOpen = false;
  f.clipboard.failWrite = {ClipboardWrite::NotPlaced, 0x58A};
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.prompts.shown().back().text, u"Failed to put the text on the clipboard: error 0000058a.");
  EXPECT_EQ(f.line(), u"Chore not done: Clip, Failed to put the text on the clipboard: error 0000058a.");
  f.clipboard.failWrite = {ClipboardWrite::NoMemory, 8};
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.prompts.shown().back().text, u"Failed to allocate memory for the clipboard text: error 00000008.");
}

TEST(ChoreExecutor, SurfAndLogonCheckKeyruneInOrderThenWaitForItsAnswer) {
  ExecutorFixture f;
  Chore chore = choreOf(CHORE_SURF, u"Bank");
  chore.siteName = u"bank.example";

  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: Bank, Keyrune+ is not installed.");
  f.registry.addKey(RegistryRoot::CurrentUser, kKeyruneKey);
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: Bank, Keyrune+ is not running.");
  f.processes.running = {u"Keyrune+.exe"};
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: Bank, master key has not been validated.");
  EXPECT_TRUE(f.companion.keyruneCommands.empty());
  EXPECT_EQ(f.sounds.beeps, 3);

  f.companion.validated = true;
  EXPECT_TRUE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore done: Bank, CHORE_SURF to bank.example.");
  EXPECT_EQ(f.time.elapsedMs(), 700u);
  chore.type = CHORE_LOGON;
  f.companion.error = u"no such site";
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: Bank, no such site.");
  using Command = std::pair<std::u16string, std::u16string>;
  EXPECT_EQ(f.companion.keyruneCommands,
            (std::vector<Command>{{u"bank.example", u"gotoUrl"}, {u"bank.example", u"logon"}}));

  chore.siteName = std::u16string(64, u's');
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: Bank, site name is too long.");
  EXPECT_EQ(f.companion.keyruneCommands.size(), 2u);

  // Without the companion the master key cannot have been validated.
  f.companion.loaded = false;
  chore.siteName = u"x";
  EXPECT_FALSE(f.execute(chore));
  EXPECT_EQ(f.line(), u"Chore was not done: Bank, master key has not been validated.");
}

}  // namespace
}  // namespace tolvane::test
