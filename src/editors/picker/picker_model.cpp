#include "editors/picker/picker_model.h"

#include <algorithm>

#include "base/format.h"
#include "base/text.h"
#include "editors/picker/window_text.h"
#include "engine/targeting/menu_commands.h"
#include "engine/targeting/window_matching.h"

namespace tolvane {

namespace {

constexpr std::uint16_t kSysCommandMessage = 274;  // WM_SYSCOMMAND
constexpr std::uint16_t kCommandMessage = 273;     // WM_COMMAND
constexpr std::u16string_view kOwnModule = u"Tolvane";
constexpr std::u16string_view kDesktopWindow = u"Program Manager";
constexpr std::u16string_view kButtonClass = u"Button";

int indexOfOperation(std::uint16_t code) {
  const auto operations = windowOpTable();
  for (std::size_t i = 0; i < operations.size(); ++i)
    if (operations[i].value == code) return static_cast<int>(i);
  return -1;
}

// Adds the text unless the list holds it; its index either way.
int addOnce(std::vector<std::u16string>& list, std::u16string text) {
  const auto found = std::find(list.begin(), list.end(), text);
  if (found != list.end()) return static_cast<int>(found - list.begin());
  list.push_back(std::move(text));
  return static_cast<int>(list.size()) - 1;
}

// Selects the first entry of a list that was just filled; the list takes
// the focus and drops down when there is a choice to make.
PickerFocus selectFirst(int& selected, std::size_t count, PickerList list, std::size_t dropDownFrom) {
  selected = count == 0 ? -1 : 0;
  return {list, count >= dropDownFrom};
}

bool inRange(int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; }

// A window or button shown as stored keeps its title and class as they
// were: a title that holds "[class]" itself would not split back the same.
void takeWindowText(std::u16string_view shown, std::u16string& title, std::u16string& className) {
  if (shown == combinedWindowText(title, className)) return;
  TitleAndClass split = splitWindowText(shown);
  title = std::move(split.title);
  className = std::move(split.className);
}

}  // namespace

PickerModel::PickerModel(const EditorContext& context, const Chore& chore, PickerMode mode)
    : context_(context), chore_(chore), mode_(mode) {
  operationsEnabled_ = (mode.windowsOperation && !mode.windowSelection) || chore.wndMsg == kSysCommandMessage;
  // Whatever wndMsg says, the stored operation is shown; a code that is
  // none of them (the Start Menu's, say) shows none and is kept.
  if (operationsEnabled_) selectedOperation_ = indexOfOperation(chore.notifyCode);

  const std::u16string window = combinedWindowText(chore.mainWndTxt, chore.mainWndCls);
  if (!window.empty()) selectedWindow_ = addOnce(windows_, window);
  if (!chore.procName.empty()) selectedApplication_ = addOnce(applications_, chore.procName);
  partial_ = mode.windowSelection ? chore.stepPartialMatch : chore.partialMatch;

  if (mode.windowsOperation) return;
  if (!chore.menuOption.empty()) {
    target_ = PickerTarget::Menu;
    menus_.push_back({chore.menuOption, chore.menuID});
    selectedMenu_ = 0;
  } else if (!chore.ctrlWndTxt.empty()) {
    target_ = PickerTarget::Button;
    buttons_.push_back(combinedWindowText(chore.ctrlWndTxt, chore.ctrlWndCls));
    selectedButton_ = 0;
  }
}

PickerOpening PickerModel::open() {
  return {std::u16string(mode_.windowsOperation ? kPickWindow : kPickMenuOrButton), menusAndButtonsOffered(),
          openingFocus()};
}

PickerFocus PickerModel::openingFocus() {
  if (!mode_.firstOpen || !context_.settings.scanDesktop) {
    return {applications_.empty() ? PickerList::Windows : PickerList::Applications, false};
  }
  const PickerTarget stored = target_;
  const PickerFocus scanned = scanDesktop();
  return mode_.editing ? reselectStored(stored) : scanned;
}

// The scan on opening would otherwise put the first running application in
// place of what an edited chore targets, and OK without a new choice would
// quietly re-target it: the scan refreshes the lists, the stored
// application, window and menu or button stay chosen, running or not.
PickerFocus PickerModel::reselectStored(PickerTarget stored) {
  selectedApplication_ = -1;
  if (!chore_.procName.empty()) listWindowsOf(addOnce(applications_, chore_.procName));
  const std::u16string window = combinedWindowText(chore_.mainWndTxt, chore_.mainWndCls);
  selectedWindow_ = window.empty() ? -1 : addOnce(windows_, window);
  typedWindowText_.clear();
  target_ = stored;
  listTargetsOf(windowText());
  if (stored == PickerTarget::Menu) {
    const MenuEntry entry{chore_.menuOption, chore_.menuID};
    const auto found = std::find(menus_.begin(), menus_.end(), entry);
    selectedMenu_ = static_cast<int>(found - menus_.begin());
    if (found == menus_.end()) menus_.push_back(entry);
  }
  if (stored == PickerTarget::Button) {
    selectedButton_ = addOnce(buttons_, combinedWindowText(chore_.ctrlWndTxt, chore_.ctrlWndCls));
  }
  retargeted_ = windowChosen_ = false;
  return {PickerList::Applications, false};
}

std::u16string PickerModel::windowText() const {
  return inRange(selectedWindow_, windows_.size()) ? windows_[static_cast<std::size_t>(selectedWindow_)]
                                                   : typedWindowText_;
}

PickerFocus PickerModel::scanDesktop() {
  enumerated_ = context_.desktop.mainWindows();
  applications_.clear();
  windows_.clear();
  menus_.clear();
  buttons_.clear();
  selectedWindow_ = selectedMenu_ = selectedButton_ = -1;
  typedWindowText_.clear();
  for (const WindowInfo& window : enumerated_) {
    if (!offered(window)) continue;
    addOnce(applications_, window.moduleBaseName);
    // The only application so far: its windows are listed already, so a
    // single running application needs no further click.
    if (applications_.size() == 1) addOnce(windows_, combinedWindowText(window.text, window.className));
  }
  retargeted_ = windowChosen_ = true;
  const PickerFocus focus = selectFirst(selectedApplication_, applications_.size(), PickerList::Applications, 2);
  if (applications_.size() == 1) return listWindowsOf(0);
  return focus;
}

PickerFocus PickerModel::chooseApplication(int index) {
  if (!inRange(index, applications_.size())) return {};
  retargeted_ = windowChosen_ = true;
  return listWindowsOf(index);
}

PickerFocus PickerModel::listWindowsOf(int index) {
  selectedApplication_ = index;
  const std::u16string& application = applications_[static_cast<std::size_t>(index)];
  windows_.clear();
  typedWindowText_.clear();
  for (const WindowInfo& window : enumerated_) {
    if (offered(window) && window.moduleBaseName == application) {
      addOnce(windows_, combinedWindowText(window.text, window.className));
    }
  }
  const PickerFocus focus = selectFirst(selectedWindow_, windows_.size(), PickerList::Windows, 2);
  target_ = PickerTarget::Window;
  listTargetsOf(windowText());
  return focus;
}

PickerFocus PickerModel::chooseWindow(int index) {
  if (!inRange(index, windows_.size())) return {};
  selectedWindow_ = index;
  windowChosen_ = true;
  return listTargetsOf(windowText());
}

void PickerModel::typeWindowText(std::u16string text) {
  if (text == windowText()) return;
  windowChosen_ = true;
  selectedWindow_ = -1;
  typedWindowText_ = std::move(text);
}

PickerFocus PickerModel::chooseTarget(PickerTarget target) {
  if (target != PickerTarget::Window && !menusAndButtonsOffered()) return {};
  target_ = target;
  retargeted_ = true;
  if (target != PickerTarget::Window) {
    selectedOperation_ = -1;
    return listTargetsOf(windowText());
  }
  listTargetsOf(windowText());
  if (!windows_.empty()) {
    windowChosen_ = windowChosen_ || selectedWindow_ != 0;
    selectedWindow_ = 0;
  }
  return {PickerList::Windows, windows_.size() >= 2};
}

// An operation is a system command: the message goes with it.
void PickerModel::chooseOperation(int index) {
  if (!operationsEnabled_) return;
  selectedOperation_ = inRange(index, windowOpTable().size()) ? index : -1;
  operationChosen_ = retargeted_ = true;
}

void PickerModel::chooseMenu(int index) { selectedMenu_ = inRange(index, menus_.size()) ? index : -1; }

void PickerModel::chooseButton(int index) { selectedButton_ = inRange(index, buttons_.size()) ? index : -1; }

PickerForm PickerModel::form() const {
  return {selectedApplication_, selectedWindow_, windowText(), static_cast<int>(target_), selectedOperation_,
          selectedMenu_, selectedButton_, partial_};
}

Submission<Chore> PickerModel::submit(const PickerForm& form) {
  partial_ = form.partial;
  Chore chore = chore_;
  if (retargeted_) chore.wndMsg = target_ == PickerTarget::Window ? kSysCommandMessage : kCommandMessage;
  const bool operationSelected = target_ == PickerTarget::Window && inRange(selectedOperation_, windowOpTable().size());
  if (operationSelected) chore.notifyCode = windowOpTable()[static_cast<std::size_t>(selectedOperation_)].value;
  if (inRange(selectedApplication_, applications_.size())) {
    chore.procName = applications_[static_cast<std::size_t>(selectedApplication_)];
  }
  takeWindowText(windowText(), chore.mainWndTxt, chore.mainWndCls);

  // Only a new kind of target clears what the other kinds stored.
  switch (target_) {
    case PickerTarget::Menu:
      if (retargeted_) {
        chore.notifyCode = 0;
        chore.ctrlWndTxt.clear();
      }
      if (inRange(selectedMenu_, menus_.size()) && !menus_[static_cast<std::size_t>(selectedMenu_)].path.empty()) {
        chore.menuOption = menus_[static_cast<std::size_t>(selectedMenu_)].path;
        chore.menuID = menus_[static_cast<std::size_t>(selectedMenu_)].menuID;
      }
      break;
    case PickerTarget::Button:
      if (retargeted_) {
        chore.notifyCode = 0;
        chore.menuID = 0;
        // A menu left from an earlier pick would come back as the target
        // the next time the picker opens.
        chore.menuOption.clear();
      }
      takeWindowText(inRange(selectedButton_, buttons_.size()) ? buttons_[static_cast<std::size_t>(selectedButton_)]
                                                               : std::u16string(),
                     chore.ctrlWndTxt, chore.ctrlWndCls);
      break;
    case PickerTarget::Window:
      if (retargeted_) {
        chore.menuID = 0;
        chore.ctrlWndTxt.clear();
        chore.menuOption.clear();
      }
      break;
  }
  (mode_.windowSelection ? chore.stepPartialMatch : chore.partialMatch) = partial_;

  // The place is taken again only for a new choice: an untouched
  // "Position" keeps its rectangle, and its window need not be running.
  const bool placeChosen = operationChosen_ || windowChosen_;
  if (operationSelected && chore.notifyCode == WINOP_POSITION && placeChosen) {
    std::variant<WindowPosition, Refusal> place = currentPlace(chore);
    if (auto* refusal = std::get_if<Refusal>(&place)) return std::move(*refusal);
    chore.winPos = std::get<WindowPosition>(place);
  }
  return chore;
}

bool PickerModel::offered(const WindowInfo& window) {
  return window.moduleBaseName.find(kOwnModule) == std::u16string::npos &&
         window.text.find(kDesktopWindow) == std::u16string::npos && window.className != kTooltipClass;
}

const WindowInfo* PickerModel::findWindow(std::u16string_view combined) const {
  const std::u16string* application =
      inRange(selectedApplication_, applications_.size()) ? &applications_[static_cast<std::size_t>(selectedApplication_)]
                                                          : nullptr;
  // Two programs may show the same title and class: the chosen one's first.
  const WindowInfo* anyProgram = nullptr;
  for (const WindowInfo& window : enumerated_) {
    if (!offered(window) || combinedWindowText(window.text, window.className) != combined) continue;
    if (!application || window.moduleBaseName == *application) return &window;
    if (!anyProgram) anyProgram = &window;
  }
  return anyProgram;
}

PickerFocus PickerModel::listTargetsOf(std::u16string_view combined) {
  menus_.clear();
  buttons_.clear();
  selectedMenu_ = selectedButton_ = -1;
  const WindowInfo* window = findWindow(combined);
  if (!window || target_ == PickerTarget::Window) return {};
  if (target_ == PickerTarget::Menu) {
    for (const MenuLeaf& leaf : listMenuItems(context_.desktop, context_.accessibility, window->window)) {
      menus_.push_back({leaf.path, leaf.commandId ? static_cast<std::int32_t>(*leaf.commandId) : kMenuIdAccessible});
    }
    return selectFirst(selectedMenu_, menus_.size(), PickerList::Menus, 2);
  }
  for (const WindowInfo& child : context_.desktop.childWindows(window->window)) {
    if (equalsIgnoreAsciiCase(child.className, kButtonClass)) {
      addOnce(buttons_, combinedWindowText(child.text, child.className));
    }
  }
  return selectFirst(selectedButton_, buttons_.size(), PickerList::Buttons, 2);
}

// Error boxes: the window is not as the pick needs it.
std::variant<WindowPosition, Refusal> PickerModel::currentPlace(const Chore& chore) const {
  Refusal notFound = Refusal::at(
      formatText(u"Window belonging to \"%s\" was not found.\nEither Cancel out or run the program.", chore.procName),
      kNoField);
  notFound.error = true;
  WindowTarget main{chore.mainWndTxt, chore.mainWndCls};
  WindowTarget noControl;
  if (!findTargetWindow(context_.desktop, main, noControl, partial_)) return notFound;
  if (context_.windows.isMinimized(main.window)) {
    Refusal minimized = Refusal::droppingDown(PickerList::Operations);
    minimized.message = formatText(
        u"Window belonging to \"%s\" is minimized.\nEither use Minimize or size it properly for Position.",
        chore.procName);
    minimized.error = true;
    return minimized;
  }
  // Gone between finding it and reading its place.
  const std::optional<ScreenRect> rect = context_.windows.windowRect(main.window);
  if (!rect) return notFound;
  return WindowPosition{rect->left, rect->top, rect->right, rect->bottom};
}

}  // namespace tolvane
