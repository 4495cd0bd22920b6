#pragma once
// The wizard's pages as the user walks them: their order, titles and the
// frame's buttons on each, the window choices of the keystroke page, the
// name page 3 proposes, and each page's checks before the user may go on.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/library_queries.h"
#include "editors/refusal.h"
#include "editors/wizard/wizard_build.h"
#include "platform/window_info.h"

namespace tolvane {

enum class WizardPage { Type = 0, Program = 1, Keys = 2, Name = 3 };
inline constexpr int kWizardPageCount = 4;

std::u16string_view pageTitle(WizardPage page);

WizardPage nextPage(WizardPage page, ChoreKind kind);
WizardPage previousPage(WizardPage page, ChoreKind kind);

// What the frame is busy with: capturing keys (page 2), testing (page 3).
enum class WizardActivity { None, Capturing, Testing };

struct FrameButtons {
  bool backEnabled = false;
  bool nextEnabled = true;
  std::u16string_view nextLabel;
  bool testEnabled = false;
  std::u16string_view testLabel;
};

FrameButtons frameButtons(WizardPage page, WizardActivity activity);

// The fields the pages' refusals name.
enum class WizardField { Program, Name, HotKey };

// Page 1: the program edit holds a choice (not its own prompt); when not,
// the prompt goes into it.
inline constexpr std::u16string_view kProgramPrompt = u"Select a program to launch.";
bool isProgramChosen(std::u16string_view programText);
std::optional<Refusal> checkProgramPage(std::u16string_view programText);

// The program chore of a chosen path.
Chore programChore(std::u16string_view path);

// The display name of a browsed file: its name without folder and without
// its last four characters (".exe", ".lnk").
std::u16string browsedDisplayName(std::u16string_view path);

// The name page 3 proposes for the program: the one it was chosen by, even
// when the user then edited its path (arguments added, say); a path typed
// without a choice is named like a browsed file.
std::u16string launchDisplayName(std::u16string_view chosenName, std::u16string_view path);

// Page 2: the window list's first entry.
inline constexpr std::u16string_view kStartMenuChoice = u"Start Menu";

// "Start Menu", then the titles of the windows, each once, leaving out
// Tolvane's own windows and the desktop.
std::vector<std::u16string> windowChoices(const WindowInfoList& windows);

// Which choice to select after a refresh: the previous one while it is
// still offered, else "Start Menu".
int choiceToKeep(const std::vector<std::u16string>& choices, std::u16string_view previous);

// The first window whose text is exactly the choice; null when none.
const WindowInfo* windowByText(const WindowInfoList& windows, std::u16string_view text);

struct KeysPageCheck {
  bool accepted = false;
  // Why not: nothing was captured.
  std::optional<Refusal> refusal;
  // Set when nothing was captured on an Explorer window: the list then
  // only explores its folder.
  std::optional<CaptureTarget> explorerTarget;
};

inline constexpr std::u16string_view kNoKeysMessage = u"No keystrokes have been captured yet.";

KeysPageCheck checkKeysPage(bool anyStepCaptured, std::u16string_view choice, const WindowInfo* chosenWindow);

// Page 3: the name offered when the page opens with an empty name.
struct NameProposalInput {
  ChoreKind kind = ChoreKind::Launch;
  std::u16string programDisplayName;
  bool anyStepCaptured = false;
  std::u16string_view choice;
};

std::u16string proposeName(const NameProposalInput& input);

inline constexpr std::u16string_view kNamePrompt = u"Enter a name here.";

// "Test" of a list: the wizard waits for it in polls 30 ms apart, at most
// this many. Then it only stops waiting: the list runs on until it ends,
// the user stops it or the wizard closes.
inline constexpr int kTrialMaxPolls = 6000;
bool trialWaitEnds(int polls, bool listRunning);

// What the pages' controls hold: page 0's choice (a ChoreKind), page 1's
// program, page 2's window, page 3's name, hot key and new-instance box.
struct WizardTypeForm {
  int kind = static_cast<int>(ChoreKind::Launch);
};
struct WizardProgramForm {
  std::u16string program;
};
struct WizardKeysForm {
  std::u16string window;
};
struct WizardNameForm {
  std::u16string name;
  HotKeyCode hotKey;
  bool startNew = false;
};

// Why page 3 cannot finish: a message box (none for a missing name, where
// the prompt goes into the edit instead) and the field to focus.
std::optional<Refusal> checkNamePage(std::u16string_view name, HotKeyCode hotKey, const LibraryQueries& library);

struct WizardOpening {
  std::u16string caption;
  WizardPage page = WizardPage::Type;
  std::u16string_view title;
  FrameButtons buttons;
};

// The wizard as one editor: what it shows on opening, and "Finish".
class WizardEditor {
 public:
  explicit WizardEditor(const LibraryQueries& library) : library_(library) {}

  WizardOpening open() const;
  // Page 3's checks, then the chore or the list, with the chores it names
  // that the library lacks.
  Submission<WizardResult> submit(const WizardChoices& choices) const;

 private:
  const LibraryQueries& library_;
};

}  // namespace tolvane
