#pragma once
// What the wizard makes of its pages: a chore that launches a program, or
// a chore list that starts the target (or opens the Start Menu) and then
// replays the captured keys. "Test" builds the same without adding
// anything; "Finish" also names the key chores the library lacks.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editors/library_queries.h"
#include "library/chore.h"
#include "library/chore_list.h"

namespace tolvane {

enum class ChoreKind { Launch, Capture };

// The window the keys were captured on.
struct CaptureTarget {
  std::u16string modulePath;
  std::u16string windowText;

  bool isSet() const { return !modulePath.empty() || !windowText.empty(); }
};

// Everything the pages hold when the user tests or finishes.
struct WizardChoices {
  ChoreKind kind = ChoreKind::Launch;
  // Launch: page 1's program chore.
  Chore programChore;
  // Capture: page 2's steps, and where they go.
  bool startMenuMode = false;
  std::vector<Chore> capturedSteps;
  CaptureTarget target;
  // Page 3.
  std::u16string name;
  HotKeyCode hotKey;
  // "Always start a new program instance".
  bool startNew = false;
};

enum class BuildMode { Test, Finish };

// The name a tested list runs under.
inline constexpr std::u16string_view kTestListName = u"_Wiz+Test";

struct WizardResult {
  // One of the two.
  std::optional<Chore> chore;
  std::optional<ChoreList> list;
  // Finish only: the list's chores whose names the library does not have
  // yet, each name once, in step order.
  std::vector<Chore> newChores;
};

// The first step of a captured list: the Start Menu opener, else a chore
// that explores the target (an Explorer window) or runs its program. None
// when the target window was not found when the capture started.
std::optional<Chore> buildLauncher(const WizardChoices& choices);

WizardResult buildWizardResult(const WizardChoices& choices, BuildMode mode, const LibraryQueries& library);

}  // namespace tolvane
