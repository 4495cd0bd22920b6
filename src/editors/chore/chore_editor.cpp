#include "editors/chore/chore_editor.h"

#include "base/format.h"
#include "base/text.h"
#include "editors/chore/desktop_shortcuts.h"

namespace tolvane {
namespace {

// The window-command message a new chore's picker starts from.
constexpr std::uint16_t kCommandMessage = 273;

const ChoreAction* actionAt(const std::vector<ChoreAction>& actions, int index) {
  if (index < 0 || index >= static_cast<int>(actions.size())) return nullptr;
  return &actions[static_cast<std::size_t>(index)];
}

// An edited chore opens with its target and both "..." buttons, and the
// options of its action; one holding a text shows only the text.
ChoreControls openingControls(const ChoreAction& action) {
  if (action.controls.site) return action.controls;
  ChoreControls controls = action.controls;
  controls.view = false;
  controls.target = controls.targetBrowse = controls.initialDirBrowse = true;
  return controls;
}

bool isPrompt(std::u16string_view text, std::u16string_view prompt) { return text.empty() || text == prompt; }

// The fields the window picker owns.
void copyWindowTarget(const Chore& from, Chore& to) {
  to.wndMsg = from.wndMsg;
  to.procName = from.procName;
  to.mainWndTxt = from.mainWndTxt;
  to.mainWndCls = from.mainWndCls;
  to.partialMatch = from.partialMatch;
  to.ctrlWndTxt = from.ctrlWndTxt;
  to.ctrlWndCls = from.ctrlWndCls;
  to.notifyCode = from.notifyCode;
  to.menuID = from.menuID;
  to.menuOption = from.menuOption;
  to.menuSimKey = from.menuSimKey;
  to.keyRepeat = from.keyRepeat;
  to.hitEnter = from.hitEnter;
  to.winPos = from.winPos;
}

}  // namespace

ChoreEditor::ChoreEditor(const ChoreEditorServices& services, const Chore* existing) : services_(services) {
  for (const ChoreAction& action : choreActions())
    if (services.keyruneInstalled || !action.needsKeyrune) types_.push_back(action);
  if (existing) {
    edited_ = *existing;
    actedType_ = typeIndexOf(*existing);
    return;
  }
  newChore_.wndMsg = kCommandMessage;
  newChore_.partialMatch = false;
  newChore_.menuSimKey = {};
}

// The entry whose text begins with the chore's verb, in any case; a chore
// without a verb gets the first entry of its type.
int ChoreEditor::typeIndexOf(const Chore& chore) const {
  for (std::size_t i = 0; i < types_.size(); ++i) {
    const std::u16string_view text = types_[i].name;
    const bool matches = chore.verb.empty()
                             ? types_[i].type == chore.type
                             : text.size() >= chore.verb.size() &&
                                   equalsIgnoreAsciiCase(text.substr(0, chore.verb.size()), chore.verb);
    if (matches) return static_cast<int>(i);
  }
  return -1;
}

ChoreOpening ChoreEditor::open() const {
  ChoreOpening opening;
  opening.controls.target = true;
  opening.controls.targetBrowse = true;
  opening.controls.initialDirBrowse = true;
  if (!editing()) {
    opening.caption = u"Create a new chore";
    opening.addLabel = u"Add";
    opening.dropTypeList = types_.size() > 1;
    return opening;
  }
  const Chore& chore = *edited_;
  opening.caption = u"Edit a chore";
  opening.addLabel = u"Save";
  ChoreForm& form = opening.form;
  form.typeIndex = typeIndexOf(chore);
  // Of the type's action even when the list leaves it out (no Keyrune+).
  if (const ChoreAction* action = choreActionOf(chore.type)) {
    opening.controls = openingControls(*action);
    // The template's own label ("Site Name:") serves a web site.
    if (action->siteLabel != kSiteNameLabel) opening.siteLabel = action->siteLabel;
    // The action's own dialog, the one "View" opens.
    opening.chooseTypeSoon = action->controls.view;
  }
  if (opening.controls.arguments) form.cmdArgs = chore.cmdArgs;
  if (opening.controls.initialDir) form.initialDir = chore.initialDir;
  if (opening.controls.site) form.siteName = chore.siteName;
  if (!chore.object.empty()) opening.targets = {chore.object};
  form.object = chore.object;
  form.name = chore.name;
  form.hotKey = chore.hotKey;
  form.newWindow = chore.newWindow != 0;
  form.startNew = chore.startNew;
  return opening;
}

std::optional<TypeChoice> ChoreEditor::chooseType(int typeIndex) const {
  const ChoreAction* action = actionAt(types_, typeIndex);
  if (!action) return std::nullopt;
  return TypeChoice{.controls = action->controls,
                    .clearTargets = action->clearsTargets,
                    .siteLabel = std::u16string(action->siteLabel),
                    .followUp = action->followUp,
                    .windowsOperation = action->windowsOperation};
}

std::optional<TypeChoice> ChoreEditor::commitType(int typeIndex) {
  if (typeIndex == actedType_) return std::nullopt;
  std::optional<TypeChoice> choice = chooseType(typeIndex);
  if (choice) actedType_ = typeIndex;
  return choice;
}

std::optional<TypeChoice> ChoreEditor::reopenType() const {
  std::optional<TypeChoice> choice = chooseType(actedType_);
  if (choice) choice->clearTargets = false;
  return choice;
}

bool ChoreEditor::takeWindowTarget(const Chore& picked, std::u16string_view nameText) {
  if (editing()) {
    copyWindowTarget(picked, *edited_);
    return false;
  }
  copyWindowTarget(picked, newChore_);
  firstPick_ = false;
  return isPrompt(nameText, kChoreNamePrompt);
}

void ChoreEditor::takeFileOperation(const FileOperation& operation) {
  (editing() ? *edited_ : newChore_).fileOp = operation;
}

std::optional<std::vector<std::u16string>> ChoreEditor::desktopShortcuts() const {
  return listDesktopShortcuts(services_.registry, services_.files, services_.log,
                              editing() ? std::u16string_view(edited_->object) : std::u16string_view());
}

BrowseRequest ChoreEditor::browseTarget(int typeIndex) const {
  const ChoreAction* action = actionAt(types_, typeIndex);
  switch (action ? action->browse : TargetBrowse::Program) {
    case TargetBrowse::Folder:
      return {true, u"Select a folder that you wish to explore.\nThe Tolvane will automatically take you there!", {}, true};
    case TargetBrowse::Document:
      return {false,
              u"Select a file to open or print",
              {{u"Word doc (*.doc)", u"*.doc"},
               {u"Excel (*.xls)", u"*.xls"},
               {u"Power Point (*.ppt)", u"*.ppt"},
               {u"All files", u"*.*"}},
              false};
    case TargetBrowse::Program:
      break;
  }
  return {false,
          u"Select a file to run",
          {{u"Shortcut links (*.lnk)", u"*.lnk"}, {u"Programs (*.exe)", u"*.exe"}, {u"All files", u"*.*"}},
          false};
}

BrowseRequest ChoreEditor::browseInitialDir() {
  return {true, u"Specify the initial directory for the program to be run:", {}, false};
}

ChoreSubmission ChoreEditor::submit(const ChoreForm& form) const {
  const ChoreAction* action = actionAt(types_, form.typeIndex);
  if (!action) return Refusal::droppingDown(ChoreField::Type);
  // A new chore keeps what the picker and the file operation wrote into it;
  // an edited one takes them from the record the sub-dialogs changed. Of
  // the same type, it also keeps every field the form does not show.
  const bool sameType = editing() && form.typeIndex == typeIndexOf(*edited_);
  Chore chore = sameType ? *edited_ : editing() ? Chore{} : newChore_;
  chore.verb = action->name;
  chore.type = action->type;
  if (action->controls.arguments) chore.cmdArgs = form.cmdArgs;
  if (action->controls.initialDir) chore.initialDir = form.initialDir;
  if (action->controls.site) {
    chore.siteName = form.siteName;
    if (isPrompt(chore.siteName, action->siteCue)) {
      return Refusal::prompting(std::u16string(action->siteCue), ChoreField::Site);
    }
  }
  chore.name = form.name;
  if (isPrompt(chore.name, kChoreNamePrompt)) {
    return Refusal::prompting(std::u16string(kChoreNamePrompt), ChoreField::Name);
  }
  chore.object = form.object;
  // Any non-zero value is ticked; only a change of the box rewrites it.
  if ((chore.newWindow != 0) != form.newWindow) chore.newWindow = form.newWindow ? 1 : 0;
  chore.startNew = form.startNew;
  chore.hotKey = form.hotKey;
  chore.wParam = 0;
  chore.lParam = 0;
  chore.compType = COMP_NONE;
  chore.compData.clear();
  chore.hotKeyChore = {};
  if (editing()) {
    copyWindowTarget(*edited_, chore);
    chore.fileOp = edited_->fileOp;
  }
  if (auto refusal = checkUniqueness(chore)) return *refusal;
  return chore;
}

// Names are compared exactly with every chore and list; an edited chore
// may keep its own name and hot key.
std::optional<Refusal> ChoreEditor::checkUniqueness(const Chore& chore) const {
  const bool nameKept = editing() && chore.name == edited_->name;
  if (!nameKept && !services_.library.isNameUnused(chore.name)) {
    return Refusal::at(formatText(u"Chore name: \"%s\" is already used.", chore.name), ChoreField::Name);
  }
  const bool hotKeyKept = editing() && chore.hotKey == edited_->hotKey;
  if (hotKeyKept) return std::nullopt;
  const std::optional<std::u16string> holder = services_.library.hotKeyOwner(chore.hotKey);
  if (!holder) return std::nullopt;
  const std::u16string keyText = services_.keyNames.keyName(chore.hotKey.controlValue());
  return Refusal::clearing(hotKeyTakenText(keyText, *holder), ChoreField::HotKey);
}

}  // namespace tolvane
