#include "editors/wizard/wizard_pages.h"

#include <gtest/gtest.h>

#include "support/library_builders.h"

namespace tolvane {
namespace {

using Page = WizardPage;

TEST(WizardPages, OrderTitlesAndButtonsFollowTheChosenKind) {
  struct Move {
    Page from;
    ChoreKind kind;
    Page next, back;
  };
  const Move moves[] = {
      {Page::Type, ChoreKind::Launch, Page::Program, Page::Type},
      {Page::Type, ChoreKind::Capture, Page::Keys, Page::Type},
      {Page::Program, ChoreKind::Launch, Page::Name, Page::Type},
      {Page::Keys, ChoreKind::Capture, Page::Name, Page::Type},
      {Page::Name, ChoreKind::Launch, Page::Name, Page::Program},
      {Page::Name, ChoreKind::Capture, Page::Name, Page::Keys},
  };
  for (const Move& m : moves) {
    EXPECT_EQ(nextPage(m.from, m.kind), m.next) << static_cast<int>(m.from);
    EXPECT_EQ(previousPage(m.from, m.kind), m.back) << static_cast<int>(m.from);
  }
  EXPECT_EQ(pageTitle(Page::Keys), u"Step 2 - Specify keystroke(s) to simulate");

  const FrameButtons first = frameButtons(Page::Type, WizardActivity::None);
  EXPECT_FALSE(first.backEnabled);
  EXPECT_FALSE(first.testEnabled);
  EXPECT_EQ(first.nextLabel, u"Next >>");
  EXPECT_FALSE(frameButtons(Page::Keys, WizardActivity::Capturing).backEnabled);
  const FrameButtons last = frameButtons(Page::Name, WizardActivity::None);
  EXPECT_TRUE(last.backEnabled && last.testEnabled && last.nextEnabled);
  EXPECT_EQ(last.nextLabel, u"Finish");
  EXPECT_EQ(last.testLabel, u"Test");
  const FrameButtons testing = frameButtons(Page::Name, WizardActivity::Testing);
  EXPECT_FALSE(testing.backEnabled || testing.nextEnabled);
  EXPECT_TRUE(testing.testEnabled);
  EXPECT_EQ(testing.testLabel, u"Stop");
}

TEST(WizardPages, ProgramChoiceAndBrowsedNames) {
  EXPECT_FALSE(isProgramChosen(u""));
  EXPECT_FALSE(isProgramChosen(kProgramPrompt));
  EXPECT_TRUE(isProgramChosen(u"C:\\pad.exe"));
  EXPECT_EQ(browsedDisplayName(u"C:\\Tools\\Editor.exe"), u"Editor");
  EXPECT_EQ(browsedDisplayName(u"ab"), u"");
  const struct {
    std::u16string_view chosen, path, name;
  } launches[] = {
      {u"Notepad", u"C:\\windows\\notepad.exe C:\\notes.txt", u"Notepad"},  // a chosen path edited
      {u"", u"C:\\Tools\\Editor.exe", u"Editor"},                           // a path typed
  };
  for (const auto& launch : launches) EXPECT_EQ(launchDisplayName(launch.chosen, launch.path), launch.name);
  const Chore chore = programChore(u"C:\\Tools\\Editor.exe");
  EXPECT_EQ(chore.type, CHORE_RUN);
  EXPECT_EQ(chore.verb, u"Run a program or its shortcut");
}

// The wait ends; the list is not stopped.
TEST(WizardPages, TheTestOfAListIsWaitedForUntilItEndsOrSixThousandPolls) {
  const struct {
    int polls;
    bool running, ends;
  } polls[] = {{1, false, true}, {1, true, false}, {kTrialMaxPolls - 1, true, false}, {kTrialMaxPolls, true, true}};
  for (const auto& poll : polls) EXPECT_EQ(trialWaitEnds(poll.polls, poll.running), poll.ends) << poll.polls;
}

TEST(WizardPages, WindowChoicesLeaveOutTolvaneAndRepeats) {
  const WindowInfoList windows = {{u"Untitled - Notepad", u"notepad.exe", {}, {}, 1, 0},
                                  {u"Tolvane", {}, {}, {}, 2, 0},
                                  {u"Chore Wizard", {}, {}, {}, 3, 0},
                                  {u"Program Manager", {}, {}, {}, 4, 0},
                                  {u"Untitled - Notepad", u"notepad.exe", {}, {}, 5, 0},
                                  {u"C:\\Work", u"explorer.exe", u"C:\\windows\\explorer.exe", {}, 6, 0}};
  const std::vector<std::u16string> choices = windowChoices(windows);
  EXPECT_EQ(choices, (std::vector<std::u16string>{u"Start Menu", u"Untitled - Notepad", u"C:\\Work"}));
  EXPECT_EQ(choiceToKeep(choices, u"C:\\Work"), 2);
  EXPECT_EQ(choiceToKeep(choices, u"Gone"), 0);
  EXPECT_EQ(windowByText(windows, u"Untitled - Notepad")->window, 1u);

  EXPECT_TRUE(checkKeysPage(true, u"Start Menu", nullptr).accepted);
  EXPECT_FALSE(checkKeysPage(false, u"Start Menu", nullptr).accepted);
  EXPECT_FALSE(checkKeysPage(false, u"Untitled - Notepad", &windows[0]).accepted);
  const KeysPageCheck explorer = checkKeysPage(false, u"C:\\Work", &windows[5]);
  ASSERT_TRUE(explorer.accepted && explorer.explorerTarget);
  EXPECT_EQ(explorer.explorerTarget->modulePath, u"C:\\windows\\explorer.exe");
  EXPECT_EQ(explorer.explorerTarget->windowText, u"C:\\Work");
}

TEST(WizardPages, NameProposals) {
  struct Case {
    NameProposalInput input;
    std::u16string_view expected;
  };
  const Case cases[] = {
      {{ChoreKind::Launch, u"Notepad", false, {}}, u"Notepad"},
      {{ChoreKind::Capture, {}, true, u"Untitled - Notepad"}, u"StartMenuChoreList_"},
      {{ChoreKind::Capture, {}, false, u"Start Menu"}, u"StartMenuChoreList_"},
      {{ChoreKind::Capture, {}, false, u"C:\\Work"}, u"C:\\Work"},
  };
  for (const Case& c : cases) EXPECT_EQ(proposeName(c.input), c.expected);
}

TEST(WizardPages, NamePageRefusesMissingOrTakenNamesAndKeys) {
  ChoreLibrary library;
  Chore pad = test::makeChore(u"Pad");
  pad.hotKey = {'P', kHotKeyControl};
  library.appendChore(pad);
  library.appendChoreList(test::makeList(u"Morning"));
  const LibraryQueries queries(library);
  struct Case {
    std::u16string_view name;
    HotKeyCode key;
    std::optional<WizardField> field;
    std::u16string message;
  };
  const Case cases[] = {
      {u"", {}, WizardField::Name, u""},
      {kNamePrompt, {}, WizardField::Name, u""},
      {u"Morning", {}, WizardField::Name, u"The specified name already exists."},
      {u"New", {'P', kHotKeyControl}, WizardField::HotKey, u"The specified hotkey is already used by \"Pad.\""},
      {u"New", {kVirtualKeyRight, kHotKeyControl | kHotKeyShift | kHotKeyExtended}, WizardField::HotKey,
       u"The specified hotkey is already used by \"Tolvane.\""},
      {u"morning", {'P', kHotKeyAlt}, std::nullopt, u""},
  };
  for (const Case& c : cases) {
    const std::optional<Refusal> refusal = checkNamePage(c.name, c.key, queries);
    ASSERT_EQ(refusal.has_value(), c.field.has_value()) << std::string(c.name.begin(), c.name.end());
    if (!refusal) continue;
    EXPECT_TRUE(refusal->concerns(*c.field));
    EXPECT_EQ(refusal->message, c.message);
    EXPECT_EQ(refusal->followUp == RefusalFollowUp::PutCue, c.message.empty());
  }
}

}  // namespace
}  // namespace tolvane
