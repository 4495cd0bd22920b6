#include "editors/picker/picker_model.h"

#include <gtest/gtest.h>

#include "editors/picker/window_text.h"
#include "support/editor_fakes.h"

namespace tolvane {
namespace {

using Texts = std::vector<std::u16string>;

TEST(PickerWindowText, TitleAndClassMakeOneTextSplitAtTheFirstClassMark) {
  const struct {
    std::u16string title, className, combined;
  } rows[] = {
      {u"Untitled - Notepad", u"Notepad", u"Untitled - Notepad[class]Notepad"},
      {u"Find", u"", u"Find"},
      {u"", u"Edit", u"[class]Edit"},
      {u"A[class]B", u"C", u"A[class]B[class]C"},
  };
  for (const auto& row : rows) EXPECT_EQ(combinedWindowText(row.title, row.className), row.combined);
  EXPECT_EQ(splitWindowText(u"Untitled - Notepad[class]Notepad"), (TitleAndClass{u"Untitled - Notepad", u"Notepad"}));
  EXPECT_EQ(splitWindowText(u"Find"), (TitleAndClass{u"Find", u""}));
  EXPECT_EQ(splitWindowText(u"A[class]B[class]C"), (TitleAndClass{u"A", u"B[class]C"}));
  EXPECT_EQ(splitWindowText(u""), (TitleAndClass{}));
}

// A desktop with our own window, the desktop window, two notepad windows
// (one twice) with a tooltip, and a calculator.
struct PickerDesktop : test::EditorFakes {
  PickerDesktop() {
    desktop.addWindow(1, u"Tolvane", u"#32770").moduleBaseName = u"Tolvane.exe";
    desktop.addWindow(2, u"Program Manager", u"Progman").moduleBaseName = u"explorer.exe";
    desktop.addWindow(3, u"Untitled - Notepad", u"Notepad").moduleBaseName = u"notepad.exe";
    desktop.addWindow(4, u"Untitled - Notepad", u"Notepad").moduleBaseName = u"notepad.exe";
    desktop.addWindow(5, u"Find", u"").moduleBaseName = u"notepad.exe";
    desktop.addWindow(7, u"Untitled - Notepad", u"tooltips_class32").moduleBaseName = u"notepad.exe";
    desktop.addWindow(6, u"Calculator", u"CalcFrame").moduleBaseName = u"calc.exe";
    desktop.menus[3] = {{u"&File", 0, {{u"&Open...", 257, {}}, {u"", 0, {}}, {u"E&xit", 261, {}}}}};
    accessibility.rootOf(6).add(u"Menu", u"menu bar").add(u"View", u"menu item").add(u"Scientific", u"menu item");
    desktop.addChild(6, 60, u"OK", u"Button", 1);
    desktop.addChild(6, 61, u"Cancel", u"BUTTON", 2);
    desktop.addChild(6, 62, u"Display", u"Edit", 3);
    desktop.addChild(6, 63, u"OK", u"Button", 4);
  }
};

TEST(PickerModel, ScanningListsOtherProgramsOnceAndTheirWindowsWithoutDuplicates) {
  PickerDesktop fakes;
  const EditorContext context = fakes.context();
  PickerModel picker(context, Chore{}, {});
  EXPECT_EQ(picker.scanDesktop(), (PickerFocus{PickerList::Applications, true}));
  EXPECT_EQ(picker.applications(), (Texts{u"notepad.exe", u"calc.exe"}));
  EXPECT_EQ(picker.selectedApplication(), 0);
  EXPECT_EQ(picker.windows(), (Texts{u"Untitled - Notepad[class]Notepad", u"Find"}));
  EXPECT_EQ(picker.selectedWindow(), -1);

  EXPECT_EQ(picker.chooseApplication(1), (PickerFocus{PickerList::Windows, false}));
  EXPECT_EQ(picker.windows(), Texts{u"Calculator[class]CalcFrame"});
  EXPECT_EQ(picker.selectedWindow(), 0);

  fakes.desktop.windows.pop_back();  // calc.exe ends: one application left
  EXPECT_EQ(picker.scanDesktop(), (PickerFocus{PickerList::Windows, true}));
  EXPECT_EQ(picker.applications(), Texts{u"notepad.exe"});
  EXPECT_EQ(picker.selectedWindow(), 0) << "a single application is chosen without a click";
}

TEST(PickerModel, OpeningShowsTheChoresTargetAndScansOnlyForAFirstPickWhenAsked) {
  Chore menuChore;
  menuChore.wndMsg = 273;
  menuChore.procName = u"notepad.exe";
  menuChore.mainWndTxt = u"Untitled - Notepad";
  menuChore.mainWndCls = u"Notepad";
  menuChore.menuOption = u"File [] Open...";
  menuChore.menuID = 257;
  Chore buttonChore;
  buttonChore.mainWndTxt = u"Calculator";
  buttonChore.ctrlWndTxt = u"OK";
  buttonChore.ctrlWndCls = u"Button";
  Chore minimize;
  minimize.wndMsg = 274;
  minimize.notifyCode = kWindowOpMinimize;
  minimize.menuOption = u"stale";
  minimize.stepPartialMatch = true;
  const struct {
    const char* name;
    Chore chore;
    PickerMode mode;
    bool scanSetting;
    PickerTarget target;
    bool operations;
    int operation;
    PickerFocus focus;
    int scans;
  } rows[] = {
      {"menu", menuChore, {}, true, PickerTarget::Menu, false, -1, {PickerList::Applications, false}, 0},
      {"button", buttonChore, {}, true, PickerTarget::Button, false, -1, {PickerList::Windows, false}, 0},
      {"new window op", Chore{}, {true, false, false}, true, PickerTarget::Window, true, -1, {PickerList::Windows, false},
       0},
      {"minimize", minimize, {true, false, false}, true, PickerTarget::Window, true, 1, {PickerList::Windows, false}, 0},
      {"completion", minimize, {false, true, false}, true, PickerTarget::Menu, true, 1, {PickerList::Windows, false}, 0},
      {"first pick", Chore{}, {false, false, true}, true, PickerTarget::Window, false, -1,
       {PickerList::Applications, true}, 1},
      {"no scan", Chore{}, {false, false, true}, false, PickerTarget::Window, false, -1, {PickerList::Windows, false},
       0},
  };
  for (const auto& row : rows) {
    PickerDesktop fakes;
    fakes.settings.scanDesktop = row.scanSetting;
    const EditorContext context = fakes.context();
    PickerModel picker(context, row.chore, row.mode);
    const PickerOpening opening = picker.open();
    EXPECT_EQ(opening.focus, row.focus) << row.name;
    EXPECT_EQ(fakes.desktop.enumerations, row.scans) << row.name;
    EXPECT_EQ(picker.target(), row.target) << row.name;
    EXPECT_EQ(picker.operationsEnabled(), row.operations) << row.name;
    EXPECT_EQ(picker.selectedOperation(), row.operation) << row.name;
    EXPECT_EQ(opening.targetKindsOffered, !row.mode.windowsOperation) << row.name;
    EXPECT_EQ(opening.caption, row.mode.windowsOperation ? u"Select a window" : u"Select a menu/button") << row.name;
    EXPECT_EQ(picker.partial(), row.mode.windowSelection) << row.name;
  }
  PickerDesktop fakes;
  const EditorContext context = fakes.context();
  PickerModel menu(context, menuChore, {});
  EXPECT_EQ(menu.menus(), (std::vector<MenuEntry>{{u"File [] Open...", 257}}));
  EXPECT_EQ(menu.windowText(), u"Untitled - Notepad[class]Notepad");
  EXPECT_EQ(menu.applications(), Texts{u"notepad.exe"});
  EXPECT_EQ(PickerModel(context, buttonChore, {}).buttons(), Texts{u"OK[class]Button"});
}

// Editing a chore opens the picker as a first pick, which scans when the
// setting asks for it: OK untouched must give the chore back as it was,
// scanned or not, its program running or not.
TEST(PickerModel, AnUntouchedOkKeepsTheEditedChoreAsItWas) {
  Chore menuChore;
  menuChore.wndMsg = 273;
  menuChore.procName = u"notepad.exe";
  menuChore.mainWndTxt = u"Untitled - Notepad";
  menuChore.mainWndCls = u"Notepad";
  menuChore.menuOption = u"&File [] E&xit";
  menuChore.menuID = 261;
  Chore buttonChore;
  buttonChore.wndMsg = 273;
  buttonChore.procName = u"calc.exe";
  buttonChore.mainWndTxt = u"Calculator";
  buttonChore.mainWndCls = u"CalcFrame";
  buttonChore.ctrlWndTxt = u"Cancel";
  buttonChore.ctrlWndCls = u"BUTTON";
  buttonChore.notifyCode = 5;
  Chore notRunning;
  notRunning.wndMsg = 0;
  notRunning.notifyCode = kWindowOpMinimize;
  notRunning.procName = u"gone.exe";
  notRunning.mainWndTxt = u"Gone";
  Chore startMenu;  // the wizard's opener: a system command none of the operations
  startMenu.wndMsg = 274;
  startMenu.notifyCode = 0xF130;
  startMenu.procName = u"Explorer.exe";
  startMenu.mainWndTxt = u"Program Manager";
  startMenu.mainWndCls = u"Progman";
  Chore placed = buttonChore;  // running elsewhere than stored
  placed.wndMsg = 274;
  placed.notifyCode = WINOP_POSITION;
  placed.winPos = WindowPosition{10, 20, 810, 620};
  placed.ctrlWndTxt.clear();
  Chore keys;  // keystrokes to whatever window is in front
  keys.menuSimKey = {'S', kHotKeyControl};
  keys.keyRepeat = 2;
  keys.menuID = 7;
  Chore oddTitle;
  oddTitle.mainWndTxt = u"A[class]B";
  const struct {
    const char* name;
    Chore chore;
    bool windowsOperation;
    int application;  // selected after the scan
    int menus;        // entries listed, the stored one selected
  } rows[] = {
      {"menu of a running program", menuChore, false, 0, 2},
      {"button of a running program", buttonChore, false, 1, 0},
      {"window of a program not running", notRunning, true, 2, 0},
      {"a code none of the operations", startMenu, false, 2, 0},
      {"Position", placed, true, 1, 0},
      {"keystrokes", keys, false, -1, 0},
      {"a title holding the class mark", oddTitle, false, -1, 0},
  };
  for (const auto& row : rows) {
    for (const bool scan : {true, false}) {
      PickerDesktop fakes;
      fakes.settings.scanDesktop = scan;
      fakes.windows.rects[6] = {0, 0, 300, 200};
      const EditorContext context = fakes.context();
      PickerModel picker(context, row.chore, {row.windowsOperation, false, true, true});
      picker.open();
      EXPECT_EQ(fakes.desktop.enumerations, scan ? 1 : 0) << row.name;
      if (scan) {
        EXPECT_EQ(picker.selectedApplication(), row.application) << row.name;
        EXPECT_EQ(static_cast<int>(picker.menus().size()), row.menus) << row.name;
      }
      const auto accepted = picker.submit(picker.form());
      ASSERT_TRUE(std::holds_alternative<Chore>(accepted)) << row.name;
      EXPECT_EQ(std::get<Chore>(accepted), row.chore) << row.name << (scan ? ", scanned" : "");
    }
  }
}

// What OK stores after a few user steps on the fake desktop.
TEST(PickerModel, OkStoresWhatWasPickedForEachKindOfTarget) {
  Chore given;
  given.wndMsg = 273;
  given.menuOption = u"Old [] Menu";
  given.menuID = 99;
  given.notifyCode = 7;
  given.keyRepeat = 3;
  const struct {
    const char* name;
    PickerMode mode;
    int application;
    PickerTarget target;
    int entry;  // menu, button or operation
    bool partial;
    // Expected
    std::uint16_t wndMsg, notifyCode;
    std::int32_t menuID;
    std::u16string menuOption, ctrlWndTxt, ctrlWndCls, mainWndTxt, mainWndCls;
  } rows[] = {
      {"classic menu", {}, 0, PickerTarget::Menu, 0, false, 273, 0, 257, u"&File [] &Open...", u"", u"",
       u"Untitled - Notepad", u"Notepad"},
      {"accessible menu", {}, 1, PickerTarget::Menu, 0, false, 273, 0, kMenuIdAccessible, u"View [] Scientific", u"",
       u"", u"Calculator", u"CalcFrame"},
      {"button", {}, 1, PickerTarget::Button, 1, true, 273, 0, 0, u"", u"Cancel", u"BUTTON", u"Calculator",
       u"CalcFrame"},
      {"window op", {true, false, false}, 1, PickerTarget::Window, 2, true, 274, kWindowOpMaximize, 0, u"", u"", u"",
       u"Calculator", u"CalcFrame"},
      {"completion", {false, true, false}, 1, PickerTarget::Window, -1, true, 274, 7, 0, u"", u"", u"",
       u"Calculator", u"CalcFrame"},
  };
  for (const auto& row : rows) {
    PickerDesktop fakes;
    const EditorContext context = fakes.context();
    PickerModel picker(context, given, row.mode);
    picker.scanDesktop();
    picker.chooseApplication(row.application);
    const PickerFocus focus = picker.chooseTarget(row.target);
    if (row.target == PickerTarget::Button) {
      EXPECT_EQ(picker.buttons(), (Texts{u"OK[class]Button", u"Cancel[class]BUTTON"})) << row.name;
      EXPECT_EQ(focus, (PickerFocus{PickerList::Buttons, true}));
      picker.chooseButton(row.entry);
    }
    if (row.target == PickerTarget::Window) picker.chooseOperation(row.entry);
    picker.setPartial(row.partial);
    const auto outcome = picker.submit(picker.form());
    ASSERT_TRUE(std::holds_alternative<Chore>(outcome)) << row.name;
    const Chore& chore = std::get<Chore>(outcome);
    EXPECT_EQ(chore.wndMsg, row.wndMsg) << row.name;
    EXPECT_EQ(chore.notifyCode, row.notifyCode) << row.name;
    EXPECT_EQ(chore.menuID, row.menuID) << row.name;
    EXPECT_EQ(chore.menuOption, row.menuOption) << row.name;
    EXPECT_EQ(chore.ctrlWndTxt, row.ctrlWndTxt) << row.name;
    EXPECT_EQ(chore.ctrlWndCls, row.ctrlWndCls) << row.name;
    EXPECT_EQ(chore.mainWndTxt, row.mainWndTxt) << row.name;
    EXPECT_EQ(chore.mainWndCls, row.mainWndCls) << row.name;
    EXPECT_EQ(chore.procName, row.application == 0 ? u"notepad.exe" : u"calc.exe") << row.name;
    EXPECT_EQ(chore.partialMatch, row.partial && !row.mode.windowSelection) << row.name;
    EXPECT_EQ(chore.stepPartialMatch, row.partial && row.mode.windowSelection) << row.name;
    EXPECT_EQ(chore.keyRepeat, 3) << row.name << ": fields the picker does not set are kept";
    EXPECT_FALSE(chore.winPos.has_value()) << row.name;
  }
}

TEST(PickerModel, OkWithATypedWindowSplitsItAndKeepsTheStoredMenuWhenNoneIsListed) {
  PickerDesktop fakes;
  const EditorContext context = fakes.context();
  Chore given;
  given.menuOption = u"File [] Save";
  given.menuID = 258;
  PickerModel picker(context, given, {});
  picker.typeWindowText(u"Report[class]OpusApp");
  picker.chooseTarget(PickerTarget::Menu);  // no such window: nothing listed
  const Chore chore = std::get<Chore>(picker.submit(picker.form()));
  EXPECT_EQ(chore.mainWndTxt, u"Report");
  EXPECT_EQ(chore.mainWndCls, u"OpusApp");
  EXPECT_EQ(chore.menuOption, u"File [] Save");
  EXPECT_EQ(chore.menuID, 258);
}

TEST(PickerModel, PositionTakesTheWindowsPlaceAnywhereOnTheDesktopOrSaysWhyNot) {
  PickerDesktop fakes;
  const EditorContext context = fakes.context();
  PickerModel picker(context, Chore{}, {true, false, false});
  picker.scanDesktop();
  picker.chooseApplication(1);
  picker.chooseOperation(4);

  auto outcome = picker.submit(picker.form());
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << "no rectangle: the window went away";
  EXPECT_EQ(std::get<Refusal>(outcome).message,
            u"Window belonging to \"calc.exe\" was not found.\nEither Cancel out or run the program.");

  fakes.windows.rects[6] = {-1920, -200, -1000, 500};  // a monitor left of and above the main one
  fakes.windows.minimized.insert(6);
  outcome = picker.submit(picker.form());
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
  EXPECT_EQ(std::get<Refusal>(outcome).message,
            u"Window belonging to \"calc.exe\" is minimized.\nEither use Minimize or size it properly for Position.");
  EXPECT_EQ(std::get<Refusal>(outcome).field, fieldId(PickerList::Operations));
  EXPECT_EQ(std::get<Refusal>(outcome).followUp, RefusalFollowUp::DropDown);

  fakes.windows.minimized.clear();
  outcome = picker.submit(picker.form());
  ASSERT_TRUE(std::holds_alternative<Chore>(outcome));
  EXPECT_EQ(std::get<Chore>(outcome).notifyCode, WINOP_POSITION);
  EXPECT_EQ(std::get<Chore>(outcome).winPos, (WindowPosition{-1920, -200, -1000, 500}));
  EXPECT_FALSE(std::get<Chore>(outcome).winPos->isInvalid());

  fakes.desktop.windows.pop_back();
  outcome = picker.submit(picker.form());
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << "the program has ended";
  EXPECT_EQ(std::get<Refusal>(outcome).field, kNoField);
  EXPECT_TRUE(std::get<Refusal>(outcome).error);
}

}  // namespace
}  // namespace tolvane
