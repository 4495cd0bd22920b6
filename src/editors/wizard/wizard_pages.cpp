#include "editors/wizard/wizard_pages.h"

#include <algorithm>

#include "base/format.h"
#include "base/text.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kTitles[kWizardPageCount] = {
    u"Step 1 - Specify the type of chore",
    u"Step 2 - Select a program to launch",
    u"Step 2 - Specify keystroke(s) to simulate",
    u"Step 3 - Specify chore name and hotkey",
};

// Windows of the program itself and the desktop are no place to capture.
constexpr std::u16string_view kExcludedTitleParts[] = {u"Tolvane", u"Chore Wizard", u"Program Manager"};

WizardPage secondPage(ChoreKind kind) { return kind == ChoreKind::Capture ? WizardPage::Keys : WizardPage::Program; }

}  // namespace

std::u16string_view pageTitle(WizardPage page) { return kTitles[static_cast<int>(page)]; }

WizardPage nextPage(WizardPage page, ChoreKind kind) {
  return page == WizardPage::Type ? secondPage(kind) : WizardPage::Name;
}

WizardPage previousPage(WizardPage page, ChoreKind kind) {
  return page == WizardPage::Name ? secondPage(kind) : WizardPage::Type;
}

FrameButtons frameButtons(WizardPage page, WizardActivity activity) {
  FrameButtons buttons;
  const bool last = page == WizardPage::Name;
  buttons.backEnabled = page != WizardPage::Type && activity == WizardActivity::None;
  buttons.nextEnabled = activity != WizardActivity::Testing;
  buttons.nextLabel = last ? u"Finish" : u"Next >>";
  buttons.testEnabled = last;
  buttons.testLabel = activity == WizardActivity::Testing ? u"Stop" : u"Test";
  return buttons;
}

bool isProgramChosen(std::u16string_view programText) {
  return !programText.empty() && programText != kProgramPrompt;
}

std::optional<Refusal> checkProgramPage(std::u16string_view programText) {
  if (isProgramChosen(programText)) return std::nullopt;
  return Refusal::prompting(std::u16string(kProgramPrompt), WizardField::Program);
}

Chore programChore(std::u16string_view path) {
  Chore chore;
  chore.verb = u"Run a program or its shortcut";
  chore.type = CHORE_RUN;
  chore.object = std::u16string(path);
  return chore;
}

std::u16string browsedDisplayName(std::u16string_view path) {
  const std::size_t separator = path.find_last_of(u"\\/");
  std::u16string_view name = separator == std::u16string_view::npos ? path : path.substr(separator + 1);
  name.remove_suffix(std::min<std::size_t>(4, name.size()));
  return std::u16string(name);
}

std::u16string launchDisplayName(std::u16string_view chosenName, std::u16string_view path) {
  return chosenName.empty() ? browsedDisplayName(path) : std::u16string(chosenName);
}

std::vector<std::u16string> windowChoices(const WindowInfoList& windows) {
  std::vector<std::u16string> choices{std::u16string(kStartMenuChoice)};
  for (const WindowInfo& window : windows) {
    const bool excluded = std::any_of(std::begin(kExcludedTitleParts), std::end(kExcludedTitleParts),
                                      [&](std::u16string_view part) { return window.text.find(part) != std::u16string::npos; });
    if (excluded || std::find(choices.begin(), choices.end(), window.text) != choices.end()) continue;
    choices.push_back(window.text);
  }
  return choices;
}

int choiceToKeep(const std::vector<std::u16string>& choices, std::u16string_view previous) {
  const auto kept = std::find(choices.begin(), choices.end(), previous);
  return kept == choices.end() ? 0 : static_cast<int>(kept - choices.begin());
}

const WindowInfo* windowByText(const WindowInfoList& windows, std::u16string_view text) {
  const auto found = std::find_if(windows.begin(), windows.end(), [&](const WindowInfo& w) { return w.text == text; });
  return found == windows.end() ? nullptr : &*found;
}

KeysPageCheck checkKeysPage(bool anyStepCaptured, std::u16string_view choice, const WindowInfo* chosenWindow) {
  if (anyStepCaptured) return {true, std::nullopt, std::nullopt};
  if (choice != kStartMenuChoice && chosenWindow && equalsIgnoreAsciiCase(chosenWindow->moduleBaseName, u"Explorer.exe"))
    return {true, std::nullopt, CaptureTarget{chosenWindow->modulePath, chosenWindow->text}};
  return {false, Refusal::at(std::u16string(kNoKeysMessage), kNoField), std::nullopt};
}

std::u16string proposeName(const NameProposalInput& input) {
  if (input.kind == ChoreKind::Launch) return input.programDisplayName;
  if (!input.anyStepCaptured && input.choice != kStartMenuChoice) return std::u16string(input.choice);
  return u"StartMenuChoreList_";
}

bool trialWaitEnds(int polls, bool listRunning) { return !listRunning || polls >= kTrialMaxPolls; }

std::optional<Refusal> checkNamePage(std::u16string_view name, HotKeyCode hotKey, const LibraryQueries& library) {
  if (name.empty() || name == kNamePrompt) return Refusal::prompting(std::u16string(kNamePrompt), WizardField::Name);
  if (!library.isNameUnused(name)) return Refusal::at(u"The specified name already exists.", WizardField::Name);
  if (const std::optional<std::u16string> owner = library.hotKeyOwner(hotKey))
    return Refusal::at(formatText(u"The specified hotkey is already used by \"%s.\"", *owner), WizardField::HotKey);
  return std::nullopt;
}

WizardOpening WizardEditor::open() const {
  return {u"Chore Wizard", WizardPage::Type, pageTitle(WizardPage::Type),
          frameButtons(WizardPage::Type, WizardActivity::None)};
}

Submission<WizardResult> WizardEditor::submit(const WizardChoices& choices) const {
  if (std::optional<Refusal> refusal = checkNamePage(choices.name, choices.hotKey, library_)) return *refusal;
  return buildWizardResult(choices, BuildMode::Finish, library_);
}

}  // namespace tolvane
