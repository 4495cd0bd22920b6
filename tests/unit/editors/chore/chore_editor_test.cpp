#include "editors/chore/chore_editor.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "editors/chore/win32/chore_ids.h"
#include "support/fake_files.h"
#include "support/fake_key_names.h"
#include "support/fake_registry.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane {
namespace {

using test::actionIndex;
using test::makeChore;
using test::makeList;

constexpr HotKeyCode kCtrlAltK{'K', kHotKeyControl | kHotKeyAlt};
const int kDoNothing = actionIndex(u"Do nothing");
const int kSurf = actionIndex(u"Surf to a web site");
const int kClipboard = actionIndex(u"Write to clipboard");
const int kWindowsOperation = actionIndex(u"Windows operation");
const int kMenuCommand = actionIndex(u"Send a menu or button command");

class ChoreEditorTest : public ::testing::Test {
 protected:
  ChoreEditorTest() {
    Chore docs = makeChore(u"Docs", CHORE_OPEN);
    docs.hotKey = {'D', kHotKeyControl};
    library.appendChore(docs);
    ChoreList evening = makeList(u"Evening");
    evening.hotKey = kCtrlAltK;
    library.appendChoreList(evening);
  }

  ChoreEditor editor(const Chore* existing = nullptr, bool keyrune = true) {
    return ChoreEditor({queries, keyNames, registry, files, log, keyrune}, existing);
  }

  static ChoreForm form(int typeIndex, std::u16string name, HotKeyCode hotKey = {}) {
    ChoreForm form;
    form.typeIndex = typeIndex;
    form.name = std::move(name);
    form.hotKey = hotKey;
    return form;
  }

  ChoreLibrary library;
  LibraryQueries queries{library};
  test::FakeKeyNames keyNames;
  test::FakeRegistry registry;
  test::FakeFiles files;
  test::RecordingLogSink log;
};

ChoreControls enabled(std::initializer_list<bool ChoreControls::*> fields) {
  ChoreControls controls;
  for (bool ChoreControls::*field : fields) controls.*field = true;
  return controls;
}

using C = ChoreControls;

// What a program or shortcut to run takes.
ChoreControls programControls() {
  return enabled({&C::target, &C::targetBrowse, &C::initialDirBrowse, &C::arguments, &C::initialDir, &C::startNew});
}

std::string describe(const ChoreSubmission& result) {
  if (const Chore* chore = std::get_if<Chore>(&result)) return "stored " + toUtf8(chore->name);
  const Refusal& refusal = std::get<Refusal>(result);
  constexpr const char* kFields[] = {"type", "target", "site", "arguments", "folder", "name", "hotkey"};
  return std::string("refused ") + kFields[refusal.field] + " message=" + toUtf8(refusal.message) +
         " cue=" + toUtf8(refusal.cue) + (refusal.followUp == RefusalFollowUp::DropDown ? " drop" : "") +
         (refusal.followUp == RefusalFollowUp::ClearControl ? " clear" : "");
}

TEST_F(ChoreEditorTest, AddChecksRunInOrderAndEachRefusalPutsTheUserOnItsControl) {
  const std::string nameUsed = "message=Chore name: \"Docs\" is already used.";
  struct Case {
    ChoreForm form;
    std::string expected;
  };
  ChoreForm siteAndNameMissing = form(kSurf, u"");
  ChoreForm clipboardPrompt = form(kClipboard, u"Clip");
  clipboardPrompt.siteName = u"Enter clipboard text to write.";
  ChoreForm withSite = form(kSurf, u"Surf", kCtrlAltK);
  withSite.siteName = u"bank";
  const Case cases[] = {
      {form(-1, u"X"), "refused type message= cue= drop"},
      {siteAndNameMissing, "refused site message= cue=Enter a site name."},
      {clipboardPrompt, "refused site message= cue=Enter clipboard text to write."},
      {form(kDoNothing, u""), "refused name message= cue=Enter a chore name."},
      {form(kDoNothing, u"Enter a chore name."), "refused name message= cue=Enter a chore name."},
      {form(kDoNothing, u"Docs", kCtrlAltK), "refused name " + nameUsed + " cue="},
      {form(kDoNothing, u"Evening"), "refused name message=Chore name: \"Evening\" is already used. cue="},
      {form(kDoNothing, u"docs"), "stored docs"},
      {withSite, "refused hotkey message=Hotkey: Ctrl + Alt + K is already used by \"Evening\". cue= clear"},
      {form(kDoNothing, u"Mine", {'D', kHotKeyControl}),
       "refused hotkey message=Hotkey: Ctrl + D is already used by \"Docs\". cue= clear"},
      {form(kDoNothing, u"Mine", {kVirtualKeyRight, kHotKeyControl | kHotKeyShift | kHotKeyExtended}),
       "refused hotkey message=Hotkey: Ctrl + Shift + Right is already used by \"Tolvane\". cue= clear"},
      {form(kDoNothing, u"Mine", {kVirtualKeyRight, kHotKeyControl | kHotKeyShift | kHotKeyAlt}),
       "refused hotkey message=Hotkey: Ctrl + Shift + Alt + Right is already used by \"Tolvane\". cue= clear"},
      {form(kDoNothing, u"Mine", {0, kHotKeyControl}), "stored Mine"},
  };
  const ChoreEditor creating = editor();
  for (const Case& c : cases) EXPECT_EQ(describe(creating.submit(c.form)), c.expected) << toUtf8(c.form.name);
}

TEST_F(ChoreEditorTest, ANewChoreTakesTheFormThePickerAndTheFileOperationWithParametersAndStepFieldsCleared) {
  ChoreEditor creating = editor();
  EXPECT_EQ(creating.choreBeingBuilt().wndMsg, 273);
  EXPECT_TRUE(creating.firstPick());
  Chore picked = test::fullChore(u"ignored");
  picked.compType = DELAY;
  EXPECT_TRUE(creating.takeWindowTarget(picked, u""));
  EXPECT_FALSE(creating.firstPick());
  EXPECT_TRUE(creating.takeWindowTarget(picked, kChoreNamePrompt));
  EXPECT_FALSE(creating.takeWindowTarget(picked, u"Typed"));
  creating.takeFileOperation(picked.fileOp);

  ChoreForm filled = form(actionIndex(u"Run a program or its shortcut"), u"Run it", {'R', kHotKeyAlt});
  filled.object = u"C:\\app.exe";
  filled.cmdArgs = u"/x";
  filled.siteName = u"not read for a program";
  filled.startNew = filled.newWindow = true;
  const Chore stored = std::get<Chore>(creating.submit(filled));
  EXPECT_EQ(stored.object, u"C:\\app.exe");
  EXPECT_EQ(stored.cmdArgs, u"/x");
  EXPECT_EQ(stored.siteName, u"");
  EXPECT_TRUE(stored.startNew);
  EXPECT_EQ(stored.newWindow, 1);
  EXPECT_EQ(stored.hotKey, (HotKeyCode{'R', kHotKeyAlt}));
  EXPECT_EQ(stored.menuOption, picked.menuOption);
  EXPECT_EQ(stored.winPos, picked.winPos);
  EXPECT_EQ(stored.keyRepeat, picked.keyRepeat);
  EXPECT_EQ(stored.fileOp, picked.fileOp);
  EXPECT_EQ(stored.wParam, 0);
  EXPECT_EQ(stored.lParam, 0);
  EXPECT_EQ(stored.compType, COMP_NONE);
}

TEST_F(ChoreEditorTest, AnEditedChoreKeepsItsOwnNameAndHotKeyAndWhatItsSubDialogsGaveIt) {
  Chore menu = test::fullChore(u"Menu");
  menu.type = CHORE_WNDMSG;
  menu.verb = u"send a MENU";
  menu.hotKey = kCtrlAltK;  // also the list's: an unchanged key is not checked
  menu.compType = DELAY;
  library.appendChore(menu);
  ChoreEditor editing = editor(&menu);
  const ChoreOpening opening = editing.open();
  EXPECT_EQ(opening.caption, u"Edit a chore");
  EXPECT_EQ(opening.addLabel, u"Save");
  EXPECT_EQ(opening.form.typeIndex, kMenuCommand);
  EXPECT_TRUE(opening.chooseTypeSoon);
  EXPECT_FALSE(opening.dropTypeList);

  Chore picked = menu;
  picked.menuOption = u"File\\New";
  picked.name = u"not taken";
  EXPECT_FALSE(editing.takeWindowTarget(picked, u""));
  EXPECT_EQ(editing.choreBeingBuilt().menuOption, u"File\\New");

  ChoreForm same = opening.form;
  same.cmdArgs = u"not read for a menu command";
  const Chore saved = std::get<Chore>(editing.submit(same));
  EXPECT_EQ(saved.name, u"Menu");
  EXPECT_EQ(saved.verb, u"Send a menu or button command");
  EXPECT_EQ(saved.menuOption, u"File\\New");
  EXPECT_EQ(saved.fileOp, menu.fileOp);
  EXPECT_EQ(saved.cmdArgs, menu.cmdArgs) << "kept, not read";
  EXPECT_EQ(saved.compType, COMP_NONE);
  EXPECT_EQ(saved.wParam, 0);

  EXPECT_EQ(describe(editing.submit(form(kMenuCommand, u"Docs", {'D', kHotKeyControl}))),
            "refused name message=Chore name: \"Docs\" is already used. cue=");
  EXPECT_EQ(describe(editing.submit(form(kMenuCommand, u"Menu", {'D', kHotKeyControl}))),
            "refused hotkey message=Hotkey: Ctrl + D is already used by \"Docs\". cue= clear");
  EXPECT_EQ(describe(editing.submit(form(kMenuCommand, u"Renamed", kCtrlAltK))), "stored Renamed");
}

TEST_F(ChoreEditorTest, OpeningShowsTheChoreAndEnablesWhatItsTypeUses) {
  struct Case {
    Chore chore;
    bool keyrune;
    int typeIndex;
    ChoreControls controls;
    std::u16string siteLabel;
  };
  Chore shortcut = makeChore(u"Shortcut", CHORE_RUN);
  shortcut.verb = u"Run a desktop shortcut";
  Chore clipboard = makeChore(u"Clip", CHORE_CLIPBOARD);
  Chore verbless = makeChore(u"Files", CHORE_FILEOP);
  verbless.verb.clear();
  const ChoreControls fresh = enabled({&C::target, &C::targetBrowse, &C::initialDirBrowse});
  const Case cases[] = {
      {shortcut, false, actionIndex(u"Run a desktop shortcut"), programControls(), u""},
      {clipboard, false, kClipboard, enabled({&C::site}), u"Clipboard:"},
      {makeChore(u"Surf", CHORE_SURF), false, -1, enabled({&C::site}), u""},
      {makeChore(u"Surf", CHORE_SURF), true, kSurf, enabled({&C::site}), u""},
      {test::exploreChore(u"Home", u"C:\\Home"), false, actionIndex(u"Explore a folder"),
       enabled({&C::target, &C::targetBrowse, &C::initialDirBrowse, &C::newWindow}), u""},
      {verbless, false, actionIndex(u"File operation"), fresh, u""},
  };
  for (const Case& c : cases) {
    const ChoreOpening opening = editor(&c.chore, c.keyrune).open();
    EXPECT_EQ(opening.form.typeIndex, c.typeIndex) << toUtf8(c.chore.name);
    EXPECT_EQ(opening.controls, c.controls) << toUtf8(c.chore.name);
    EXPECT_EQ(opening.siteLabel, c.siteLabel) << toUtf8(c.chore.name);
  }
  const ChoreOpening home = editor(&cases[4].chore).open();
  EXPECT_EQ(home.targets, std::vector<std::u16string>{u"C:\\Home"});
  const ChoreOpening creating = editor().open();
  EXPECT_EQ(creating.caption, u"Create a new chore");
  EXPECT_TRUE(creating.dropTypeList);
  EXPECT_EQ(creating.controls, fresh);
}

// One row per entry of the action list, in its order, surf and logon only
// with Keyrune+: a row's index is its place in either list.
TEST_F(ChoreEditorTest, EachActionOfTheListEnablesItsControlsOpensWhatItNeedsAndStoresItsTypeAndVerb) {
  constexpr std::u16string_view kProgram = u"Select a file to run";
  constexpr std::u16string_view kDocument = u"Select a file to open or print";
  constexpr std::u16string_view kFolder =
      u"Select a folder that you wish to explore.\nThe Tolvane will automatically take you there!";
  using F = TypeFollowUp;
  const ChoreControls document = enabled({&C::target, &C::targetBrowse});
  const ChoreControls view = enabled({&C::view});
  const ChoreControls site = enabled({&C::site});
  const struct Row {
    std::u16string_view name;
    ChoreType type;
    bool keyruneOnly;
    F followUp;
    bool clearTargets;
    ChoreControls controls;
    std::u16string_view browseTitle;
    int treeImage;
  } rows[] = {
      {u"Explore a folder", CHORE_EXPLORE, false, F::BrowseTarget, false,
       enabled({&C::target, &C::targetBrowse, &C::newWindow}), kFolder, 0},
      {u"Open a file or document", CHORE_OPEN, false, F::BrowseTarget, true, document, kDocument, 1},
      {u"Print a file or document", CHORE_PRINT, false, F::BrowseTarget, true, document, kDocument, 2},
      {u"Run a program or its shortcut", CHORE_RUN, false, F::None, false, programControls(), kProgram, 3},
      {u"Run a desktop shortcut", CHORE_RUN, false, F::ListDesktopShortcuts, false, programControls(), kProgram, 3},
      {u"Windows operation", CHORE_WINOP, false, F::PickWindow, true, view, kProgram, 4},
      {u"Send a menu or button command", CHORE_WNDMSG, false, F::PickWindow, false, view, kProgram, 5},
      {u"File operation", CHORE_FILEOP, false, F::EditFileOperation, false, view, kProgram, 6},
      {u"Do nothing", CHORE_NOTHING, false, F::None, false, {}, kProgram, 17},
      {u"Write to clipboard", CHORE_CLIPBOARD, false, F::FocusSite, false, site, kProgram, 18},
      {u"Surf to a web site", CHORE_SURF, true, F::FocusSite, false, site, kProgram, 7},
      {u"Logon to a web site", CHORE_LOGON, true, F::FocusSite, false, site, kProgram, 8},
  };
  ASSERT_EQ(choreActions().size(), std::size(rows));
  for (const bool keyrune : {false, true}) {
    const ChoreEditor creating = editor(nullptr, keyrune);
    std::vector<std::u16string_view> expected, shown;
    for (const Row& row : rows)
      if (keyrune || !row.keyruneOnly) expected.push_back(row.name);
    for (const ChoreAction& action : creating.types()) shown.push_back(action.name);
    EXPECT_EQ(shown, expected);
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
      const Row& row = rows[i];
      const std::optional<TypeChoice> choice = creating.chooseType(i);
      ASSERT_TRUE(choice) << toUtf8(row.name);
      EXPECT_EQ(choice->followUp, row.followUp) << toUtf8(row.name);
      EXPECT_EQ(choice->clearTargets, row.clearTargets) << toUtf8(row.name);
      EXPECT_EQ(choice->controls, row.controls) << toUtf8(row.name);
      EXPECT_EQ(creating.browseTarget(i).title, row.browseTitle) << toUtf8(row.name);
      EXPECT_EQ(choreActions()[static_cast<std::size_t>(i)].treeImage, row.treeImage) << toUtf8(row.name);
      ChoreForm named = form(i, u"New");
      named.siteName = u"text";
      const Chore stored = std::get<Chore>(creating.submit(named));
      EXPECT_EQ(stored.verb, row.name);
      EXPECT_EQ(stored.type, row.type) << toUtf8(row.name);
    }
  }
  const ChoreEditor creating = editor();
  EXPECT_TRUE(creating.chooseType(kWindowsOperation)->windowsOperation);
  EXPECT_FALSE(creating.chooseType(kMenuCommand)->windowsOperation);
  EXPECT_EQ(creating.chooseType(kClipboard)->siteLabel, u"Clipboard:");
  EXPECT_EQ(creating.chooseType(actionIndex(u"Logon to a web site"))->siteLabel, u"Site name:");
  EXPECT_FALSE(creating.chooseType(-1));
  EXPECT_EQ(creating.browseTarget(-1).title, kProgram);
}

// A commit of the type list acts only when it brings another type; "View"
// and the opening of an edited chore reopen the type's dialog.
TEST_F(ChoreEditorTest, OnlyACommittedNewTypeActsAndReopeningLeavesTheTargets) {
  ChoreEditor creating = editor();
  const struct {
    int typeIndex;
    bool acts;
  } commits[] = {{-1, false},
                 {actionIndex(u"Explore a folder"), true},
                 {actionIndex(u"Explore a folder"), false},
                 {kWindowsOperation, true},
                 {kWindowsOperation, false},
                 {actionIndex(u"Print a file or document"), true},
                 {kWindowsOperation, true}};
  for (const auto& commit : commits) EXPECT_EQ(creating.commitType(commit.typeIndex).has_value(), commit.acts);
  ASSERT_TRUE(creating.reopenType());
  EXPECT_EQ(creating.reopenType()->followUp, TypeFollowUp::PickWindow);
  EXPECT_FALSE(creating.reopenType()->clearTargets);

  const Chore minimise = makeChore(u"Min", CHORE_WINOP);
  ChoreEditor editing = editor(&minimise);
  EXPECT_FALSE(editing.commitType(kWindowsOperation)) << "the stored type";
  EXPECT_FALSE(editing.reopenType()->clearTargets);
  const PickerMode mode = editing.pickerMode(true);
  EXPECT_TRUE(mode.windowsOperation && mode.firstOpen && mode.editing && !mode.windowSelection);
  EXPECT_FALSE(creating.pickerMode(false).editing);
}

// Saved untouched, an edited chore keeps every field, even those its form
// does not show, but for the verb and the parameters.
TEST_F(ChoreEditorTest, AnEditedChoreSavedUntouchedStaysAsItWas) {
  const struct {
    ChoreType type;
    std::u16string_view verb;
  } kinds[] = {{CHORE_WNDMSG, u"send a MENU"},
               {CHORE_RUN, u"Run a program or its shortcut"},
               {CHORE_CLIPBOARD, u"Write to clipboard"},
               {CHORE_EXPLORE, u"Explore"}};
  for (const auto& kind : kinds) {
    Chore chore = test::fullChore(u"Kept");
    chore.type = kind.type;
    chore.verb = kind.verb;
    chore.newWindow = 2;
    const ChoreEditor editing = editor(&chore);
    Chore expected = chore;
    expected.verb = editing.types()[static_cast<std::size_t>(editing.open().form.typeIndex)].name;
    expected.wParam = expected.lParam = 0;
    EXPECT_EQ(std::get<Chore>(editing.submit(editing.open().form)), expected) << toUtf8(kind.verb);
  }
}

TEST_F(ChoreEditorTest, DesktopShortcutsComeFromBothDesktopsSortedPerFolderWithoutRepeats) {
  constexpr std::u16string_view key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  Chore shortcut = makeChore(u"Shortcut", CHORE_RUN);
  shortcut.object = u"C:\\Users\\me\\Desktop\\b.lnk";
  EXPECT_FALSE(editor(&shortcut).desktopShortcuts());
  EXPECT_EQ(log.debugTexts(), std::vector<std::string>{"Desktop folder not found. 00000002"});

  registry.environment[u"USERPROFILE"] = u"C:\\Users\\me";
  registry.set(RegistryRoot::CurrentUser, key, u"Desktop", u"%USERPROFILE%\\Desktop");
  registry.set(RegistryRoot::LocalMachine, key, u"Common Desktop", u"C:\\Users\\Public\\Desktop");
  for (const char16_t* folder : {u"C:\\Users\\me\\Desktop", u"C:\\Users\\me\\Desktop\\Tools",
                                 u"C:\\Users\\me\\Desktop\\Hidden", u"C:\\Users\\Public\\Desktop"})
    files.addFolder(folder);
  for (const char16_t* file : {u"C:\\Users\\me\\Desktop\\b.lnk", u"C:\\Users\\me\\Desktop\\A.LNK",
                               u"C:\\Users\\me\\Desktop\\notes.txt", u"C:\\Users\\me\\Desktop\\secret.lnk",
                               u"C:\\Users\\me\\Desktop\\Tools\\x.lnk", u"C:\\Users\\me\\Desktop\\Hidden\\y.lnk",
                               u"C:\\Users\\Public\\Desktop\\Shared.lnk"})
    files.put(file, "");
  files.hide(u"C:\\Users\\me\\Desktop\\secret.lnk");
  files.hide(u"C:\\Users\\me\\Desktop\\Hidden");
  EXPECT_EQ(*editor(&shortcut).desktopShortcuts(),
            (std::vector<std::u16string>{u"C:\\Users\\me\\Desktop\\b.lnk", u"C:\\Users\\me\\Desktop\\A.LNK",
                                         u"C:\\Users\\me\\Desktop\\Tools\\x.lnk",
                                         u"C:\\Users\\Public\\Desktop\\Shared.lnk"}));
  EXPECT_EQ(editor().desktopShortcuts()->front(), u"C:\\Users\\me\\Desktop\\A.LNK");
}

}  // namespace
}  // namespace tolvane
