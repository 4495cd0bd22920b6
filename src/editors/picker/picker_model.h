#pragma once
// The picker's rules: which windows it offers (never our own, never the
// desktop's "Program Manager", never a tooltip), what choosing an application, a window or
// a kind of target lists next, and what OK stores in the working chore,
// including "Position" with its checks. OK changes a field only when the
// user changed what shows it: accepted untouched, the chore stays as it
// was. The view shows what this holds and moves the focus where each step
// says.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "editors/editor_context.h"
#include "editors/picker/picker_mode.h"
#include "editors/refusal.h"
#include "library/chore.h"

namespace tolvane {

// What the picked window receives: a system command (a window operation),
// a menu command, or a button's click.
enum class PickerTarget { Window, Menu, Button };

// The lists are the model's fields: a refusal names one.
enum class PickerList { None, Applications, Windows, Operations, Menus, Buttons };

// Where the focus goes after a step, and whether that list drops down.
struct PickerFocus {
  PickerList list = PickerList::None;
  bool dropDown = false;

  bool operator==(const PickerFocus&) const = default;
};

struct MenuEntry {
  std::u16string path;  // "File [] Save As..."
  std::int32_t menuID;  // the command id, or kMenuIdAccessible

  bool operator==(const MenuEntry&) const = default;
};

// What the controls hold: the lists' selections (-1: none), the window
// list's text, the kind of target (a PickerTarget) and "Partial".
struct PickerForm {
  int application = -1;
  int window = -1;
  std::u16string windowText;
  int target = 0;
  int operation = -1;
  int menu = -1;
  int button = -1;
  bool partial = false;
};

// What the dialog shows on opening, besides the lists.
struct PickerOpening {
  std::u16string caption;
  // "Menu" and "Button" can be chosen.
  bool targetKindsOffered = true;
  PickerFocus focus;
};

inline constexpr std::u16string_view kPickMenuOrButton = u"Select a menu/button";
inline constexpr std::u16string_view kPickWindow = u"Select a window";

class PickerModel {
 public:
  PickerModel(const EditorContext& context, const Chore& chore, PickerMode mode);

  // Scans at once when the user wants that and the caller says this is
  // the first pick; an edited chore keeps its target chosen, even when its
  // program is not running.
  PickerOpening open();

  // The selections, the window text, the kind of target and "Partial" as
  // the controls show them now.
  PickerForm form() const;
  const std::vector<std::u16string>& applications() const { return applications_; }
  int selectedApplication() const { return selectedApplication_; }
  // The window list is editable: with nothing selected, the typed text.
  const std::vector<std::u16string>& windows() const { return windows_; }
  int selectedWindow() const { return selectedWindow_; }
  std::u16string windowText() const;
  // The operations are windowOpTable()'s, in its order.
  bool operationsEnabled() const { return operationsEnabled_; }
  int selectedOperation() const { return selectedOperation_; }
  const std::vector<MenuEntry>& menus() const { return menus_; }
  int selectedMenu() const { return selectedMenu_; }
  const std::vector<std::u16string>& buttons() const { return buttons_; }
  int selectedButton() const { return selectedButton_; }
  PickerTarget target() const { return target_; }
  bool menusAndButtonsOffered() const { return !mode_.windowsOperation; }
  bool partial() const { return partial_; }

  PickerFocus scanDesktop();
  PickerFocus chooseApplication(int index);
  PickerFocus chooseWindow(int index);
  void typeWindowText(std::u16string text);
  PickerFocus chooseTarget(PickerTarget target);
  void chooseOperation(int index);
  void chooseMenu(int index);
  void chooseButton(int index);
  void setPartial(bool partial) { partial_ = partial; }

  // OK: the working chore with what was picked, or why not yet.
  Submission<Chore> submit(const PickerForm& form);

 private:
  // Our own windows, the desktop behind all others and tooltips (which
  // carry the text of what they describe) are never targets.
  static bool offered(const WindowInfo& window);
  // After the scan on opening: the chore's own application, window and
  // kind of target chosen again, as if nothing had been scanned; the focus
  // to start with.
  PickerFocus reselectStored(PickerTarget stored);
  // The application's windows listed, the first chosen, as a window target.
  PickerFocus listWindowsOf(int application);
  const WindowInfo* findWindow(std::u16string_view combined) const;
  // Lists what the window offers for the chosen kind of target.
  PickerFocus listTargetsOf(std::u16string_view combined);
  // Moves and sizes to the window's current place: its rectangle, or why not.
  std::variant<WindowPosition, Refusal> currentPlace(const Chore& chore) const;
  PickerFocus openingFocus();

  const EditorContext& context_;
  Chore chore_;
  PickerMode mode_;
  WindowInfoList enumerated_;

  std::vector<std::u16string> applications_;
  int selectedApplication_ = -1;
  std::vector<std::u16string> windows_;
  int selectedWindow_ = -1;
  std::u16string typedWindowText_;
  bool operationsEnabled_ = false;
  int selectedOperation_ = -1;
  std::vector<MenuEntry> menus_;
  int selectedMenu_ = -1;
  std::vector<std::u16string> buttons_;
  int selectedButton_ = -1;
  PickerTarget target_ = PickerTarget::Window;
  bool partial_ = false;
  // What the user changed since opening: another application or kind of
  // target (wndMsg, and the fields of the other kinds), another window, an
  // operation. A scan counts as a new pick, except the one on opening an
  // edited chore.
  bool retargeted_ = false;
  bool windowChosen_ = false;
  bool operationChosen_ = false;
};

}  // namespace tolvane
