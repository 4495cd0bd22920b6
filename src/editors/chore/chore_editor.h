#pragma once
// The chore editor's rules, apart from its window: the types it offers,
// what opening shows, what choosing a type enables and opens, what the
// window picker and the file-operation editor give back, and the checks of
// Add/Save in their order, each refusal naming the field the user is put
// back on. The window (win32/chore_dlg) only moves texts in and out.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "editors/library_queries.h"
#include "editors/picker/picker_mode.h"
#include "editors/refusal.h"
#include "library/chore.h"
#include "library/chore_actions.h"
#include "library/chore_types.h"
#include "platform/files.h"
#include "platform/key_names.h"
#include "platform/log_sink.h"
#include "platform/registry.h"

namespace tolvane {

// The cue written into an empty name; it counts as empty on the next try,
// as do the actions' site cues.
inline constexpr std::u16string_view kChoreNamePrompt = u"Enter a chore name.";

// The exit code of a dialog that stored its chore (Cancel gives its own).
inline constexpr int kChoreStoredResult = 57;

struct ChoreEditorServices {
  const LibraryQueries& library;
  KeyNames& keyNames;
  Registry& registry;
  const Files& files;
  LogSink& log;
  bool keyruneInstalled = false;
};

// The fields refusals name.
enum class ChoreField { Type, Target, Site, Arguments, InitialDir, Name, HotKey };

// What the controls hold, as the user left them.
struct ChoreForm {
  int typeIndex = -1;  // into ChoreEditor::types(); -1 when none is chosen
  std::u16string object;
  bool newWindow = false;
  bool startNew = false;
  std::u16string siteName;
  std::u16string cmdArgs;
  std::u16string initialDir;
  std::u16string name;
  HotKeyCode hotKey;
};

struct ChoreOpening {
  std::u16string caption;
  std::u16string addLabel;
  ChoreForm form;
  // The target combo box's entries; the first is selected.
  std::vector<std::u16string> targets;
  ChoreControls controls;
  // Empty: the label keeps the template's text.
  std::u16string siteLabel;
  // About 100 ms after opening, the type is chosen again, as if by the
  // user, so that its dialog opens by itself.
  bool chooseTypeSoon = false;
  // The type list drops down.
  bool dropTypeList = false;
};

struct TypeChoice {
  ChoreControls controls;
  bool clearTargets = false;
  std::u16string siteLabel;
  TypeFollowUp followUp = TypeFollowUp::None;
  // For PickWindow: only window operations are offered.
  bool windowsOperation = false;
};

// A folder browser or an open-file dialog, for one of the "..." buttons.
struct BrowseRequest {
  bool folder = false;
  std::u16string title;
  // Display text and pattern; the first is selected.
  std::vector<std::pair<std::u16string, std::u16string>> filters;
  // A folder chosen for an explore chore also names it.
  bool namesChore = false;
};

using ChoreSubmission = Submission<Chore>;

class ChoreEditor {
 public:
  // `existing` is the chore to edit; null creates a new one.
  ChoreEditor(const ChoreEditorServices& services, const Chore* existing);

  // The action list: every row of choreActions(), those that need
  // Keyrune+ only when it is installed.
  const std::vector<ChoreAction>& types() const { return types_; }
  bool editing() const { return edited_.has_value(); }

  ChoreOpening open() const;

  // What choosing the type brings; none when no type is chosen.
  std::optional<TypeChoice> chooseType(int typeIndex) const;
  // The type list's committed choice (a click, or Enter or close-up after
  // browsing it with the keys): chooseType, or none when it is the type
  // acted on already.
  std::optional<TypeChoice> commitType(int typeIndex);
  // "View", and the moment after an edited chore opens: the type's dialog
  // again, the targets left as they are.
  std::optional<TypeChoice> reopenType() const;

  // What the window picker and the file-operation editor start from.
  const Chore& choreBeingBuilt() const { return editing() ? *edited_ : newChore_; }
  // True until the picker has once returned a target for a new chore.
  bool firstPick() const { return firstPick_; }
  PickerMode pickerMode(bool windowsOperation) const { return {windowsOperation, false, firstPick_, editing()}; }

  // The picker's OK. True when the name field (holding `nameText`) should
  // now ask for a name.
  bool takeWindowTarget(const Chore& picked, std::u16string_view nameText);
  void takeFileOperation(const FileOperation& operation);

  // The target list for "Run a desktop shortcut"; none leaves it as it is.
  std::optional<std::vector<std::u16string>> desktopShortcuts() const;

  BrowseRequest browseTarget(int typeIndex) const;
  static BrowseRequest browseInitialDir();

  // The chore to store, or why not yet.
  ChoreSubmission submit(const ChoreForm& form) const;

 private:
  int typeIndexOf(const Chore& chore) const;
  std::optional<Refusal> checkUniqueness(const Chore& chore) const;

  ChoreEditorServices services_;
  std::vector<ChoreAction> types_;
  std::optional<Chore> edited_;
  Chore newChore_;
  bool firstPick_ = true;
  int actedType_ = -1;
};

}  // namespace tolvane
