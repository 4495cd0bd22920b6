#include "editors/wizard/wizard_build.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "editors/wizard/captured_steps.h"
#include "support/fake_key_names.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane {
namespace {

constexpr std::uint16_t kCtrl = kHotKeyControl;
constexpr char16_t kPad[] = u"Untitled - Notepad";

// One step as a line: name, type, message/notify code, key, completion.
std::string describe(const Chore& step) {
  std::string line = toUtf8(step.name) + " t" + std::to_string(step.type);
  if (step.type == CHORE_WNDMSG) {
    line += " " + std::to_string(step.wndMsg) + "/" + std::to_string(step.notifyCode);
    if (step.menuSimKey.isSet()) line += " key" + std::to_string(step.menuSimKey.packed());
  }
  if (!step.object.empty()) line += " " + toUtf8(step.object);
  if (step.compType != COMP_NONE) line += " c" + std::to_string(step.compType) + ":" + toUtf8(step.compData);
  return line;
}

std::vector<std::string> describe(const std::vector<Chore>& steps) {
  std::vector<std::string> lines;
  for (const Chore& step : steps) lines.push_back(describe(step));
  return lines;
}

struct CaptureCase {
  const char* what;
  std::vector<CapturedKey> keys;
  bool startMenuMode;
  std::vector<std::string> steps;
  const char* keystrokes;
};

TEST(WizardCapture, KeysBecomeStepsWithWindowWaitsAndPauses) {
  const CaptureCase cases[] = {
      {"a change of window waits for it and pauses; plain keys do not pause",
       {{'H', 0, kPad}, {'I', 0, kPad}, {'X', 0, u"Find"}},
       false,
       {"_Wiz+WndCreated t17 c1:Untitled - Notepad", "_Wiz+Delay t17 c7:3", "_Wiz+H t5 273/0 key72",
        "_Wiz+I t5 273/0 key73", "_Wiz+WndCreated t17 c1:Find", "_Wiz+Delay t17 c7:3", "_Wiz+X t5 273/0 key88"},
       "H, I, X"},
      {"modifiers, Enter and Tab pause",
       {{'C', kCtrl, {}}, {'A', kHotKeyShift, {}}, {'F', kHotKeyAlt, {}}, {0x0D, 0, {}}, {0x09, 0, {}}, {'Z', 0, {}}},
       false,
       {"_Wiz+Ctrl + C t5 273/0 key131139 c7:3", "_Wiz+Shift + A t5 273/0 key65601 c7:3",
        "_Wiz+Alt + F t5 273/0 key262214 c7:3", "_Wiz+Enter t5 273/0 key13 c7:3", "_Wiz+Tab t5 273/0 key9 c7:3",
        "_Wiz+Z t5 273/0 key90"},
       "Ctrl + C, Shift + A, Alt + F, Enter, Tab, Z"},
      {"on the Start Menu keys are system commands",
       {{'N', 0, u"Start Menu"}, {0x0D, 0, u"Start Menu"}},
       true,
       {"_Wiz+WndCreated t17 c1:Start Menu", "_Wiz+Delay t17 c7:3", "_Wiz+N t5 274/61696 key78",
        "_Wiz+Enter t5 274/61696 key13 c7:3"},
       "N, Enter"},
  };
  for (const CaptureCase& c : cases) {
    test::FakeKeyNames keyNames;
    test::RecordingLogSink log;
    const CapturedSteps built = buildCapturedSteps(c.keys, c.startMenuMode, 3, keyNames, log);
    EXPECT_EQ(describe(built.steps), c.steps) << c.what;
    EXPECT_EQ(toUtf8(built.keystrokeText), c.keystrokes) << c.what;
    EXPECT_EQ(log.debugTexts().size(), c.keys.size()) << c.what;
  }
}

TEST(WizardCapture, EachRecordGoesToTheDebugLogWithThePreviousWindow) {
  test::FakeKeyNames keyNames;
  test::RecordingLogSink log;
  buildCapturedSteps({{'H', 0, kPad}, {0x1B, 0, u"Find"}}, false, 2, keyNames, log);
  EXPECT_EQ(log.debugTexts(), (std::vector<std::string>{
                                  "Captured keys: i=0, key=48, prevwnd=, wnd=Untitled - Notepad",
                                  "Captured keys: i=1, key=1b, prevwnd=Untitled - Notepad, wnd=Find"}));
}

WizardChoices captureChoices(std::vector<Chore> steps, CaptureTarget target) {
  WizardChoices choices;
  choices.kind = ChoreKind::Capture;
  choices.capturedSteps = std::move(steps);
  choices.target = std::move(target);
  choices.name = u"Typing";
  choices.hotKey = {'T', kCtrl};
  return choices;
}

std::vector<Chore> keySteps() {
  test::FakeKeyNames keyNames;
  SilentLogSink log;
  return buildCapturedSteps({{'H', 0, kPad}, {0x0D, 0, kPad}}, false, 2, keyNames, log).steps;
}

struct BuildCase {
  const char* what;
  WizardChoices choices;
  std::vector<std::string> steps;
};

TEST(WizardBuild, ListsStartTheirTargetAndEndWithoutAWait) {
  const CaptureTarget notepad{u"C:\\windows\\system32\\notepad.exe", kPad};
  const CaptureTarget folder{u"C:\\WINDOWS\\EXPLORER.EXE", u"C:\\Work"};
  WizardChoices onStartMenu = captureChoices(keySteps(), {});
  onStartMenu.startMenuMode = true;
  const BuildCase cases[] = {
      {"a program window: run its program, then the keys; the last pause is dropped",
       captureChoices(keySteps(), notepad),
       {"_WizRun_Untitled - Notepad t3 C:\\windows\\system32\\notepad.exe", "_Wiz+WndCreated t17 c1:Untitled - Notepad",
        "_Wiz+Delay t17 c7:2", "_Wiz+H t5 273/0 key72", "_Wiz+Enter t5 273/0 key13"}},
      {"the Start Menu: open it and give it a second",
       onStartMenu,
       {"_Wiz_TaskList t5 274/61744 c7:1", "_Wiz+WndCreated t17 c1:Untitled - Notepad", "_Wiz+Delay t17 c7:2",
        "_Wiz+H t5 273/0 key72", "_Wiz+Enter t5 273/0 key13"}},
      {"an Explorer window and no keys: explore its folder", captureChoices({}, folder),
       {"_WizRun_C:\\Work t0 C:\\Work"}},
      {"a window gone before the capture: keys only", captureChoices({keySteps()[2]}, {}),
       {"_Wiz+H t5 273/0 key72"}},
  };
  ChoreLibrary library;
  const LibraryQueries queries(library);
  for (const BuildCase& c : cases) {
    const WizardResult result = buildWizardResult(c.choices, BuildMode::Finish, queries);
    ASSERT_TRUE(result.list) << c.what;
    EXPECT_FALSE(result.chore) << c.what;
    EXPECT_EQ(result.list->name, u"Typing") << c.what;
    EXPECT_EQ(result.list->hotKey, (HotKeyCode{'T', kCtrl})) << c.what;
    EXPECT_EQ(describe(result.list->steps), c.steps) << c.what;
  }
}

TEST(WizardBuild, FinishAddsEachMissingChoreOnceAndTestAddsNothing) {
  ChoreLibrary library;
  library.appendChore(test::makeChore(u"_Wiz+H"));
  const LibraryQueries queries(library);
  test::FakeKeyNames keyNames;
  SilentLogSink log;
  const std::vector<Chore> steps =
      buildCapturedSteps({{'H', 0, kPad}, {'I', 0, kPad}, {'H', 0, u"Find"}, {'I', 0, u"Find"}}, false, 2, keyNames, log)
          .steps;
  const WizardChoices choices = captureChoices(steps, {u"C:\\pad.exe", kPad});

  const WizardResult finished = buildWizardResult(choices, BuildMode::Finish, queries);
  std::vector<std::u16string> added;
  for (const Chore& chore : finished.newChores) added.push_back(chore.name);
  EXPECT_EQ(added, (std::vector<std::u16string>{u"_WizRun_Untitled - Notepad", u"_Wiz+WndCreated", u"_Wiz+Delay",
                                                u"_Wiz+I"}));
  EXPECT_EQ(finished.list->steps.size(), 9u) << "the list keeps its own copy of every step";

  const WizardResult tested = buildWizardResult(choices, BuildMode::Test, queries);
  EXPECT_EQ(tested.list->name, kTestListName);
  EXPECT_TRUE(tested.newChores.empty());
}

TEST(WizardBuild, LaunchChoreTakesNameHotKeyAndNewInstanceChoice) {
  WizardChoices choices;
  choices.programChore = test::makeChore(u"", CHORE_RUN);
  choices.programChore.object = u"C:\\Start Menu\\Notepad.lnk";
  choices.name = u"Pad";
  choices.hotKey = {'P', kCtrl | kHotKeyAlt};
  ChoreLibrary library;
  const LibraryQueries queries(library);

  WizardResult result = buildWizardResult(choices, BuildMode::Finish, queries);
  ASSERT_TRUE(result.chore);
  EXPECT_FALSE(result.list);
  EXPECT_EQ(result.chore->name, u"Pad");
  EXPECT_EQ(result.chore->object, u"C:\\Start Menu\\Notepad.lnk");
  EXPECT_EQ(result.chore->hotKey, choices.hotKey);
  EXPECT_FALSE(result.chore->startNew);

  choices.startNew = true;
  EXPECT_TRUE(buildWizardResult(choices, BuildMode::Test, queries).chore->startNew);
  WizardChoices capture = captureChoices({}, {u"C:\\pad.exe", kPad});
  capture.startNew = true;
  EXPECT_TRUE(buildLauncher(capture)->startNew);
}

}  // namespace
}  // namespace tolvane
