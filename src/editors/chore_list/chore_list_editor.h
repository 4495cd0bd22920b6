#pragma once
// The chore-list editor's logic: the working list and its steps, which
// step the controls show, the checks of a step and of the whole list in
// their order, and where added and moved steps go. The dialog
// (win32/chore_list_dlg.h) moves values between StepForm and its controls,
// mirrors stepNames() in its step list, and shows the refusals.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/library_queries.h"
#include "editors/refusal.h"
#include "library/chore_list.h"
#include "platform/key_names.h"

namespace tolvane {

inline constexpr char16_t kListNamePrompt[] = u"Enter a chore list name.";

// What the step controls hold.
struct StepForm {
  std::int32_t compType = COMP_NONE;  // the completion combo's selection
  std::u16string compData;
  std::u16string timeout = u"0";
  HotKeyCode hotKey;  // the completion hot key
  bool continueOnTimeout = false;

  friend bool operator==(const StepForm&, const StepForm&) = default;
};

// What the step controls show for a step, and whether "View" picks its
// window.
struct StepShown {
  StepForm form;
  bool windowPick = false;

  friend bool operator==(const StepShown&, const StepShown&) = default;
};

// The fields refusals name.
enum class ChoreListField { Name, HotKey, Available, CompletionData, StepHotKey };

// What all the controls hold: the step's, the list's name and hot key, the
// step list's selection and the chores selected in "Available chores:".
struct ChoreListForm : StepForm {
  std::u16string name;
  HotKeyCode listHotKey;
  int step = -1;
  std::vector<int> available;
  int availableCaret = -1;
};

// The outcome of a change of the step list: a refusal to report, the step
// the list selects, and what the controls show (none: they keep what the
// user typed).
struct StepChange {
  std::optional<Refusal> refusal;
  int selected = -1;
  std::optional<StepShown> shown;
};

struct ChoreListOpening {
  std::u16string caption;
  std::u16string saveLabel;
  std::u16string name;
  HotKeyCode hotKey;
  std::vector<std::u16string> steps;
  // The first step shown; none selected for a new list.
  StepChange first;
};

bool isWindowCompletion(std::int32_t compType);

class ChoreListEditor {
 public:
  // `edited` is the list being changed, null for a new one.
  ChoreListEditor(const LibraryQueries& library, KeyNames& keyNames, const ChoreList* edited);

  bool editing() const { return edited_.has_value(); }
  ChoreListOpening open();
  const ChoreList& working() const { return working_; }
  std::vector<std::u16string> stepNames() const;
  int currentStep() const { return current_; }

  // The selection of the step list moved to `index` (-1: none). The step
  // shown so far is stored first; when it fails its checks, it stays
  // selected.
  StepChange select(int index, const StepForm& form);

  // ">>": the chores, in the order "Available chores:" lists them, after
  // the selected step, before it when `beforeSelected` (Ctrl), or at the
  // end with no step selected. The current step is stored first; a refusal
  // is reported but the chores are still added. The new steps complete on
  // nothing and keep the time-out and continue flag the controls show.
  StepChange addSteps(const std::vector<std::u16string>& chores, bool beforeSelected, const StepForm& form);

  // "<<": the current step goes; the one now in its place, or the one
  // before when the last went, is shown.
  StepChange removeStep();

  // "Up" (-1) and "Dw" (+1): the current step, stored first, moves one
  // place, but never past either end.
  StepChange moveStep(int delta, const StepForm& form);

  // Stores the current step as the controls show it (after a window pick).
  std::optional<Refusal> storeCurrent(const StepForm& form);

  // The window of a "Window created" or "Window destroyed" completion:
  // the picker opens on this record, scanning at once when the step had no
  // window completion before.
  const Chore& pickerChore() const { return scratch_; }
  bool firstWindowPick() const;
  // "View" asks for a new pick.
  void markPickPending() { pickPending_ = true; }
  // The picker's OK; returns the window title for the completion data.
  std::u16string takeWindowPick(const Chore& picked);

  const ChoreSchedule& schedule() const { return working_.schedule; }
  void setSchedule(const ChoreSchedule& schedule) { working_.schedule = schedule; }

  // "Add" / "Save" with the name, hot key and step the controls hold.
  Submission<ChoreList> submit(const ChoreListForm& form);

 private:
  enum class StoreMode { Replace, Insert };

  std::optional<Refusal> storeStep(int index, std::u16string_view name, const StepForm& form, StoreMode mode);
  std::optional<Refusal> checkStep(std::int32_t compType, const StepForm& form);
  StepChange show(int index);
  Refusal hotKeyTaken(HotKeyCode key, std::u16string_view owner, ChoreListField field);

  const LibraryQueries& library_;
  KeyNames& keyNames_;
  std::optional<ChoreList> edited_;
  ChoreList working_;
  int current_ = -1;
  // The window picked for the step shown, and whether a pick is still
  // to be made.
  Chore scratch_;
  bool pickPending_ = true;
};

}  // namespace tolvane
