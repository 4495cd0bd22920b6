#include "editors/chore/chore_editor.h"

#include "base/format.h"
#include "base/text.h"
#include "editors/chore/desktop_shortcuts.h"

namespace tolvane {
namespace {

// Ten types without the password manager: surf and logon are the last two.
constexpr std::size_t kTypesWithoutKeyrune = 10;
// The window-command message a new chore's picker starts from.
constexpr std::uint16_t kCommandMessage = 273;
constexpr std::u16string_view kDesktopShortcutVerb = u"Run a desktop shortcut";

bool usesSite(std::int32_t type) { return type == CHORE_SURF || type == CHORE_LOGON || type == CHORE_CLIPBOARD; }

std::u16string_view siteLabelFor(std::int32_t type) {
  return type == CHORE_CLIPBOARD ? u"Clipboard:" : u"Site name:";
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
  const auto table = choreTypeTable();
  const std::size_t offered = services.keyruneInstalled ? table.size() : kTypesWithoutKeyrune;
  types_.assign(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(offered));
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
                             ? types_[i].value == chore.type
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
  if (chore.type == CHORE_RUN) {
    opening.controls.startNew = opening.controls.arguments = opening.controls.initialDir = true;
    form.cmdArgs = chore.cmdArgs;
    form.initialDir = chore.initialDir;
  } else if (usesSite(chore.type)) {
    if (chore.type == CHORE_CLIPBOARD) opening.siteLabel = siteLabelFor(chore.type);
    opening.controls.site = true;
    opening.controls.target = opening.controls.targetBrowse = opening.controls.initialDirBrowse = false;
    form.siteName = chore.siteName;
  } else if (chore.type == CHORE_EXPLORE) {
    opening.controls.newWindow = true;
  }
  if (!chore.object.empty()) opening.targets = {chore.object};
  form.object = chore.object;
  form.name = chore.name;
  form.hotKey = chore.hotKey;
  form.newWindow = chore.newWindow != 0;
  form.startNew = chore.startNew;
  opening.chooseTypeSoon = chore.type == CHORE_WINOP || chore.type == CHORE_WNDMSG || chore.type == CHORE_FILEOP;
  return opening;
}

std::optional<TypeChoice> ChoreEditor::chooseType(int typeIndex) const {
  if (typeIndex < 0 || typeIndex >= static_cast<int>(types_.size())) return std::nullopt;
  const ChoreTypeEntry& entry = types_[static_cast<std::size_t>(typeIndex)];
  TypeChoice choice;
  ChoreControls& controls = choice.controls;
  switch (entry.value) {
    case CHORE_WINOP:
    case CHORE_WNDMSG:
      controls.view = true;
      choice.clearTargets = entry.value == CHORE_WINOP;
      choice.windowsOperation = entry.value == CHORE_WINOP;
      choice.followUp = TypeFollowUp::PickWindow;
      break;
    case CHORE_RUN:
      controls.target = controls.targetBrowse = controls.arguments = controls.initialDir = true;
      controls.initialDirBrowse = controls.startNew = true;
      if (entry.name == kDesktopShortcutVerb) choice.followUp = TypeFollowUp::ListDesktopShortcuts;
      break;
    case CHORE_FILEOP:
      // "View" opens the file operation again, as it does the picker.
      controls.view = true;
      choice.followUp = TypeFollowUp::EditFileOperation;
      break;
    case CHORE_EXPLORE:
      controls.target = controls.targetBrowse = controls.newWindow = true;
      choice.followUp = TypeFollowUp::BrowseTarget;
      break;
    case CHORE_SURF:
    case CHORE_LOGON:
    case CHORE_CLIPBOARD:
      choice.siteLabel = siteLabelFor(entry.value);
      controls.site = true;
      choice.followUp = TypeFollowUp::FocusSite;
      break;
    case CHORE_OPEN:
    case CHORE_PRINT:
      controls.target = controls.targetBrowse = true;
      choice.clearTargets = true;
      choice.followUp = TypeFollowUp::BrowseTarget;
      break;
    default:
      break;
  }
  return choice;
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
  const std::int32_t type =
      typeIndex >= 0 && typeIndex < static_cast<int>(types_.size()) ? types_[static_cast<std::size_t>(typeIndex)].value
                                                                     : CHORE_UNKNOWN;
  if (type == CHORE_EXPLORE) {
    return {true, u"Select a folder that you wish to explore.\nThe Tolvane will automatically take you there!", {}, true};
  }
  if (type == CHORE_OPEN || type == CHORE_PRINT) {
    return {false,
            u"Select a file to open or print",
            {{u"Word doc (*.doc)", u"*.doc"},
             {u"Excel (*.xls)", u"*.xls"},
             {u"Power Point (*.ppt)", u"*.ppt"},
             {u"All files", u"*.*"}},
            false};
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
  if (form.typeIndex < 0 || form.typeIndex >= static_cast<int>(types_.size())) {
    return Refusal::droppingDown(ChoreField::Type);
  }
  const ChoreTypeEntry& entry = types_[static_cast<std::size_t>(form.typeIndex)];
  // A new chore keeps what the picker and the file operation wrote into it;
  // an edited one takes them from the record the sub-dialogs changed. Of
  // the same type, it also keeps every field the form does not show.
  const bool sameType = editing() && form.typeIndex == typeIndexOf(*edited_);
  Chore chore = sameType ? *edited_ : editing() ? Chore{} : newChore_;
  chore.verb = entry.name;
  chore.type = entry.value;
  if (chore.type == CHORE_RUN) {
    chore.cmdArgs = form.cmdArgs;
    chore.initialDir = form.initialDir;
  }
  if (usesSite(chore.type)) {
    const std::u16string_view prompt = chore.type == CHORE_CLIPBOARD ? kClipboardPrompt : kSiteNamePrompt;
    chore.siteName = form.siteName;
    if (isPrompt(chore.siteName, prompt)) return Refusal::prompting(std::u16string(prompt), ChoreField::Site);
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
