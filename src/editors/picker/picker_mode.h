#pragma once
// How the chore editor or the chore-list editor opens the picker.

namespace tolvane {

struct PickerMode {
  // A "Windows operation" chore: the operation list is offered, "Menu" and
  // "Button" are not, and the caption reads "Select a window".
  bool windowsOperation = false;
  // A window completion of a list step: "Partial" is the step's
  // stepPartialMatch, not the chore's partialMatch.
  bool windowSelection = false;
  // The first pick of a new chore: with the scanDesktop setting on, the
  // desktop is scanned as soon as the dialog opens.
  bool firstOpen = false;
  // An edited chore: a scan on opening only fills the lists, and what the
  // chore targets (even nothing) stays chosen until the user picks anew.
  bool editing = false;
};

}  // namespace tolvane
