#include "editors/chore_list/chore_list_editor.h"

#include <gtest/gtest.h>

#include "support/fake_key_names.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

using test::makeChore;
using test::makeList;
using test::makeStep;

constexpr HotKeyCode kCtrlD{'D', kHotKeyControl};
constexpr HotKeyCode kCtrlM{'M', kHotKeyControl};
constexpr HotKeyCode kAltG{'G', kHotKeyAlt};
constexpr HotKeyCode kMaster{kVirtualKeyRight, kHotKeyControl | kHotKeyShift};

struct Saved {
  std::optional<ChoreList> list;
  std::optional<Refusal> refusal;
};

// Add or Save with the name, hot key and step the controls hold.
Saved save(ChoreListEditor& editor, std::u16string name, HotKeyCode key, const StepForm& step) {
  ChoreListForm form;
  static_cast<StepForm&>(form) = step;
  form.name = std::move(name);
  form.listHotKey = key;
  Submission<ChoreList> outcome = editor.submit(form);
  if (auto* refusal = std::get_if<Refusal>(&outcome)) return {std::nullopt, *refusal};
  return {std::get<ChoreList>(outcome), std::nullopt};
}

// Chores A, B, C (B holds Ctrl+D) and Notepad (a window command); the
// stored list "Morning" holds Ctrl+M and runs A then B.
class ChoreListEditorTest : public ::testing::Test {
 protected:
  ChoreListEditorTest() {
    Chore b = makeChore(u"B");
    b.hotKey = kCtrlD;
    Chore notepad = makeChore(u"Notepad", CHORE_WNDMSG);
    notepad.mainWndTxt = u"Untitled - Notepad";
    notepad.mainWndCls = u"Notepad";
    for (const Chore& chore : {makeChore(u"A"), b, makeChore(u"C"), notepad}) library.appendChore(chore);
    morning = makeList(u"Morning", {makeStep(makeChore(u"A")), makeStep(b)});
    morning.hotKey = kCtrlM;
    morning.schedule.runWindows = true;
    library.appendChoreList(morning);
  }

  ChoreListEditor created() { return ChoreListEditor(queries, keyNames, nullptr); }
  ChoreListEditor edited() { return ChoreListEditor(queries, keyNames, &morning); }

  static StepForm form(std::int32_t compType, std::u16string data = {}, HotKeyCode key = {},
                       std::u16string timeout = u"0") {
    return {compType, std::move(data), std::move(timeout), key, false};
  }

  ChoreLibrary library;
  LibraryQueries queries{library};
  test::FakeKeyNames keyNames;
  ChoreList morning;
};

struct StepCase {
  const char* what;
  StepForm form;
  std::optional<Refusal> refusal;
};

TEST_F(ChoreListEditorTest, StepChecksRunInOrderAndAFailureKeepsTheStepSelected) {
  const std::vector<StepCase> cases = {
      {"hot key missing", form(WAIT_HOTKEY),
       Refusal::at(u"For completion type: \"Wait for hotkey\", you must specify a hot key.", ChoreListField::StepHotKey)},
      {"hot key of a chore", form(WAIT_HOTKEY, u"", kCtrlD),
       Refusal::clearing(u"Hotkey: Ctrl + D is already used by \"B\".", ChoreListField::StepHotKey)},
      {"hot key of the list being edited", form(WAIT_HOTKEY, u"", kCtrlM),
       Refusal::clearing(u"Hotkey: Ctrl + M is already used by \"Morning\".", ChoreListField::StepHotKey)},
      {"the master hot key", form(WAIT_HOTKEY, u"", kMaster),
       Refusal::clearing(u"Hotkey: Ctrl + Shift + Right is already used by \"Tolvane\".", ChoreListField::StepHotKey)},
      {"a free hot key", form(WAIT_HOTKEY, u"", kAltG), std::nullopt},
      {"file without a path", form(FILE_CREATED),
       Refusal::at(u"For completion type: \"File created\", you must provide completion data.",
                   ChoreListField::CompletionData)},
      {"window without a title", form(WND_DESTROYED),
       Refusal::at(u"For completion type: \"Window destroyed\", you must provide completion data.",
                   ChoreListField::CompletionData)},
      {"empty delay asks for data first", form(DELAY),
       Refusal::at(u"For completion type: \"Delay in seconds\", you must provide completion data.",
                   ChoreListField::CompletionData)},
      {"delay with a letter", form(DELAY, u"2a"),
       Refusal::at(u"For completion type: Delay, you must enter number of seconds.", ChoreListField::CompletionData)},
      {"delay with a sign", form(DELAY, u"-2"),
       Refusal::at(u"For completion type: Delay, you must enter number of seconds.", ChoreListField::CompletionData)},
      {"delay with a leading zero", form(DELAY, u"02"), std::nullopt},
      {"prompt text", form(USER_PROMPT, u"Go on?"), std::nullopt},
      {"none needs nothing", form(COMP_NONE), std::nullopt},
  };
  for (const StepCase& c : cases) {
    ChoreListEditor editor = edited();
    editor.select(0, {});
    const StepChange change = editor.select(1, c.form);
    EXPECT_EQ(change.refusal, c.refusal) << c.what;
    EXPECT_EQ(change.selected, c.refusal ? 0 : 1) << c.what;
    EXPECT_EQ(editor.currentStep(), change.selected) << c.what;
    EXPECT_EQ(change.shown.has_value(), !c.refusal) << c.what;
    if (c.refusal) {
      EXPECT_FALSE(save(editor, u"Morning", kCtrlM, c.form).list) << c.what;
    }
  }
}

TEST_F(ChoreListEditorTest, AStoredStepHoldsWhatItsControlsShowedAndShowsItAgain) {
  ChoreListEditor editor = edited();
  editor.select(0, {});
  StepForm waitKey = form(WAIT_HOTKEY, u"ignored", kAltG, u"");
  waitKey.continueOnTimeout = true;
  editor.select(1, waitKey);
  editor.select(0, form(DELAY, u"007", kAltG, u"15"));

  const Chore& first = editor.working().steps[0];
  EXPECT_EQ(first.name, u"A");
  EXPECT_EQ(first.compType, WAIT_HOTKEY);
  EXPECT_EQ(first.hotKeyChore, kAltG);
  EXPECT_EQ(first.compData, u"ignored");
  EXPECT_EQ(first.timeout, 0);
  EXPECT_TRUE(first.continueOnTimeout);
  const Chore& second = editor.working().steps[1];
  EXPECT_EQ(second.compType, DELAY);
  EXPECT_EQ(second.compData, u"007");
  EXPECT_FALSE(second.hotKeyChore.isSet());
  EXPECT_EQ(second.timeout, 15);
  EXPECT_EQ(second.hotKey, kCtrlD) << "the chore's own fields come from the library";

  EXPECT_FALSE(editor.select(0, {}).shown) << "the step shown keeps what the controls hold";
  editor.select(1, waitKey);
  const StepChange back = editor.select(0, form(DELAY, u"007", {}, u"15"));
  ASSERT_TRUE(back.shown);
  EXPECT_EQ(back.shown->form, (StepForm{WAIT_HOTKEY, u"ignored", u"0", kAltG, true}));
  EXPECT_FALSE(back.shown->windowPick);
}

TEST_F(ChoreListEditorTest, AddedChoresGoAfterTheSelectionBeforeItWithCtrlOrAtTheEnd) {
  struct Case {
    const char* what;
    int selected;
    bool ctrl;
    std::vector<std::u16string> steps;
    int first;
  };
  const std::vector<Case> cases = {
      {"after the first", 0, false, {u"A", u"C", u"A", u"B"}, 1},
      {"before the first", 0, true, {u"C", u"A", u"A", u"B"}, 0},
      {"after the last", 1, false, {u"A", u"B", u"C", u"A"}, 2},
      {"before the last", 1, true, {u"A", u"C", u"A", u"B"}, 1},
      {"nothing selected", -1, false, {u"A", u"B", u"C", u"A"}, 2},
  };
  for (const Case& c : cases) {
    ChoreListEditor editor = edited();
    editor.select(c.selected, {});
    StepForm controls = form(COMP_NONE, u"", {}, u"30");
    controls.continueOnTimeout = true;
    const StepChange change = editor.addSteps({u"C", u"A"}, c.ctrl, controls);
    EXPECT_EQ(editor.stepNames(), c.steps) << c.what;
    EXPECT_EQ(change.selected, c.first) << c.what;
    ASSERT_TRUE(change.shown) << c.what;
    EXPECT_EQ(change.shown->form, (StepForm{COMP_NONE, u"", u"30", {}, true})) << c.what;
  }
}

TEST_F(ChoreListEditorTest, AFailingSelectedStepIsReportedButTheChoresAreStillAdded) {
  ChoreListEditor editor = created();
  editor.addSteps({u"A"}, false, {});
  const StepChange change = editor.addSteps({u"B", u"A"}, false, form(WAIT_HOTKEY));
  EXPECT_TRUE(change.refusal);
  EXPECT_EQ(editor.stepNames(), (std::vector<std::u16string>{u"A", u"B", u"A"}));
  EXPECT_EQ(change.selected, 1);
}

TEST_F(ChoreListEditorTest, MovesStopAtTheEndsAndRemovalShowsTheNeighbour) {
  struct Case {
    int selected;
    int delta;
    std::vector<std::u16string> steps;
    int now;
  };
  for (const Case& c : std::vector<Case>{{0, -1, {u"A", u"B", u"C"}, 0},
                                         {2, +1, {u"A", u"B", u"C"}, 2},
                                         {0, +1, {u"B", u"A", u"C"}, 1},
                                         {2, -1, {u"A", u"C", u"B"}, 1}}) {
    ChoreListEditor editor = created();
    editor.addSteps({u"A", u"B", u"C"}, false, {});
    editor.select(c.selected, {});
    const StepChange change = editor.moveStep(c.delta, {});
    EXPECT_EQ(editor.stepNames(), c.steps) << c.selected << c.delta;
    EXPECT_EQ(change.selected, c.now) << c.selected << c.delta;
  }

  ChoreListEditor editor = created();
  editor.addSteps({u"A", u"B", u"C"}, false, {});
  editor.select(1, {});
  EXPECT_EQ(editor.moveStep(+1, form(WAIT_HOTKEY)).selected, 1) << "a failing step does not move";
  EXPECT_EQ(editor.removeStep().selected, 1);
  EXPECT_EQ(editor.stepNames(), (std::vector<std::u16string>{u"A", u"C"}));
  EXPECT_EQ(editor.removeStep().selected, 0) << "the last went: the one before";
  const StepChange emptied = editor.removeStep();
  EXPECT_EQ(emptied.selected, -1);
  EXPECT_EQ(emptied.shown, StepShown{});
  EXPECT_TRUE(editor.stepNames().empty());
}

TEST_F(ChoreListEditorTest, SaveChecksInOrderForANewList) {
  struct Case {
    const char* what;
    std::vector<std::u16string> steps;
    std::u16string name;
    HotKeyCode key;
    std::optional<Refusal> refusal;
  };
  const std::vector<Case> cases = {
      {"no name", {u"A"}, u"", {}, Refusal::prompting(u"Enter a chore list name.", ChoreListField::Name)},
      {"the prompt as name", {}, u"Enter a chore list name.", {},
       Refusal::prompting(u"Enter a chore list name.", ChoreListField::Name)},
      {"no steps", {}, u"Evening", {}, Refusal::at(u"No chores have been added to the list.", ChoreListField::Available)},
      {"name of a list", {u"A"}, u"Morning", kCtrlD,
       Refusal::at(u"Chore list name: \"Morning\" is already used.", ChoreListField::Name)},
      {"name of a chore", {u"A"}, u"C", {}, Refusal::at(u"Chore list name: \"C\" is already used.", ChoreListField::Name)},
      {"hot key of a chore", {u"A"}, u"Evening", kCtrlD,
       Refusal::clearing(u"Hotkey: Ctrl + D is already used by \"B\".", ChoreListField::HotKey)},
      {"name differing in case", {u"A"}, u"morning", kAltG, std::nullopt},
  };
  for (const Case& c : cases) {
    ChoreListEditor editor = created();
    editor.addSteps(c.steps, false, {});
    const Saved answer = save(editor, c.name, c.key, {});
    EXPECT_EQ(answer.refusal, c.refusal) << c.what;
    EXPECT_EQ(answer.list.has_value(), !c.refusal) << c.what;
  }
}

TEST_F(ChoreListEditorTest, ANewListsOwnUnsavedHotKeyMayAlsoEndAStep) {
  ChoreListEditor editor = created();
  editor.addSteps({u"A", u"C"}, false, {});
  const Saved answer = save(editor, u"Evening", kAltG, form(WAIT_HOTKEY, u"", kAltG, u"10"));
  ASSERT_TRUE(answer.list);
  EXPECT_EQ(answer.list->name, u"Evening");
  EXPECT_EQ(answer.list->hotKey, kAltG);
  EXPECT_EQ(answer.list->steps[0].hotKeyChore, kAltG);
  EXPECT_EQ(answer.list->steps[0].timeout, 10);
}

TEST_F(ChoreListEditorTest, AnEditedListMayKeepItsNameAndKeyAndKeepsItsSchedule) {
  struct Case {
    const char* what;
    std::u16string name;
    HotKeyCode key;
    std::optional<Refusal> refusal;
  };
  const std::vector<Case> cases = {
      {"unchanged", u"Morning", kCtrlM, std::nullopt},
      {"renamed, new key", u"Dawn", kAltG, std::nullopt},
      {"name of a chore", u"A", kCtrlM, Refusal::at(u"Chore list name: \"A\" is already used.", ChoreListField::Name)},
      {"name reported before key", u"A", kCtrlD,
       Refusal::at(u"Chore list name: \"A\" is already used.", ChoreListField::Name)},
      {"key of a chore", u"Morning", kCtrlD,
       Refusal::clearing(u"Hotkey: Ctrl + D is already used by \"B\".", ChoreListField::HotKey)},
  };
  for (const Case& c : cases) {
    ChoreListEditor editor = edited();
    editor.select(0, {});
    editor.removeStep();
    const Saved answer = save(editor, c.name, c.key, {});
    EXPECT_EQ(answer.refusal, c.refusal) << c.what;
    if (c.refusal) continue;
    ASSERT_TRUE(answer.list) << c.what;
    EXPECT_EQ(answer.list->name, c.name);
    EXPECT_EQ(answer.list->hotKey, c.key);
    EXPECT_EQ(answer.list->steps.size(), 1u);
    EXPECT_EQ(answer.list->schedule, morning.schedule) << "the schedule editor was not opened";
  }

  ChoreListEditor editor = edited();
  ChoreSchedule later;
  later.runRepeatCount = 3;
  editor.setSchedule(later);
  EXPECT_EQ(save(editor, u"Morning", kCtrlM, {}).list->schedule, later);
}

// Each step shown in turn, then saved untouched: the list is as it was,
// even a step that keeps a hot key or partial match its completion does
// not use (an older version left them).
TEST_F(ChoreListEditorTest, AnEditedListSavedUntouchedStaysAsItWas) {
  Chore delay = makeStep(makeChore(u"A"), DELAY, u"2");
  delay.stepPartialMatch = true;
  delay.hotKeyChore = kAltG;
  Chore window = makeStep(makeChore(u"C"), WND_CREATED, u"Untitled - Notepad");
  window.stepPartialMatch = window.continueOnTimeout = true;
  window.timeout = 30;
  Chore key = makeStep(makeChore(u"A"), WAIT_HOTKEY, u"");
  key.hotKeyChore = {'W', kHotKeyControl | kHotKeyAlt};
  morning.steps = {delay, window, key};
  ChoreListEditor editor = edited();
  std::optional<StepShown> shown = editor.select(0, {}).shown;
  for (int next = 1; next < 3; ++next) shown = editor.select(next, shown->form).shown;
  const Saved answer = save(editor, u"Morning", kCtrlM, shown->form);
  ASSERT_TRUE(answer.list);
  EXPECT_EQ(*answer.list, morning);
}

TEST_F(ChoreListEditorTest, AWindowPickGoesToTheStepItWasMadeFor) {
  ChoreListEditor editor = created();
  editor.addSteps({u"A", u"Notepad", u"C"}, false, {});
  EXPECT_TRUE(editor.firstWindowPick());
  Chore picked;
  picked.mainWndTxt = u"Save As";
  picked.mainWndCls = u"#32770";
  picked.stepPartialMatch = true;
  EXPECT_EQ(editor.takeWindowPick(picked), u"Save As");
  EXPECT_FALSE(editor.storeCurrent(form(WND_CREATED, u"Save As")));
  const Chore& a = editor.working().steps[0];
  EXPECT_EQ(a.mainWndTxt, u"Save As");
  EXPECT_EQ(a.mainWndCls, u"#32770");
  EXPECT_TRUE(a.stepPartialMatch);

  // A window command keeps its own target; the pick is still its completion's.
  editor.select(1, form(WND_CREATED, u"Save As"));
  EXPECT_EQ(editor.pickerChore().mainWndTxt, u"") << "shown afresh: no pick carried over";
  editor.takeWindowPick(picked);
  editor.select(2, form(WND_DESTROYED, u"Save As"));
  const Chore& notepad = editor.working().steps[1];
  EXPECT_EQ(notepad.mainWndTxt, u"Untitled - Notepad");
  EXPECT_EQ(notepad.mainWndCls, u"Notepad");
  EXPECT_TRUE(notepad.stepPartialMatch);

  // Showing a window step again opens the picker on its window; "View"
  // cancelled leaves the step as the chore has it.
  const StepChange back = editor.select(0, {});
  EXPECT_TRUE(back.shown->windowPick);
  EXPECT_FALSE(editor.firstWindowPick());
  EXPECT_EQ(editor.pickerChore().mainWndTxt, u"Save As");
  EXPECT_TRUE(editor.pickerChore().stepPartialMatch);
  editor.markPickPending();
  editor.select(2, form(WND_CREATED, u"Open"));
  EXPECT_EQ(editor.working().steps[0].mainWndTxt, u"");
  EXPECT_EQ(editor.working().steps[0].compData, u"Open");
}

}  // namespace
}  // namespace tolvane
