#include "editors/chore/win32/chore_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <variant>

#include "controls/dialog_base/dialog_base.h"
#include "controls/shell_dialogs/shell_dialogs.h"
#include "controls/truncated_tips/truncated_tips.h"
#include "editors/chore/chore_editor.h"
#include "editors/chore/win32/chore_ids.h"
#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/file_op/win32/file_op_dlg.h"
#include "editors/picker/win32/picker_dlg.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

// Posted, so that a type list closing up has finished before a dialog opens.
constexpr UINT kTypeChosenMessage = WM_APP + 1;
constexpr UINT_PTR kChooseTypeTimer = 1;
constexpr UINT_PTR kDropTypeListTimer = 2;
constexpr UINT kOpeningDelayMs = 100;
constexpr int kTypeListRows = 8;

// The target shows what the user typed over a chosen entry, too.
constexpr ControlBinding<ChoreForm> kFormControls[] = {
    {IDC_CHORE_TYPE, fieldId(ChoreField::Type), {.selection = &ChoreForm::typeIndex}},
    {IDC_CHORE_TARGET, fieldId(ChoreField::Target), {.text = &ChoreForm::object}},
    {IDC_CHORE_SITE, fieldId(ChoreField::Site), {.text = &ChoreForm::siteName}},
    {IDC_CHORE_ARGUMENTS, fieldId(ChoreField::Arguments), {.text = &ChoreForm::cmdArgs}},
    {IDC_CHORE_INITIAL_DIR, fieldId(ChoreField::InitialDir), {.text = &ChoreForm::initialDir}},
    {IDC_CHORE_NAME, fieldId(ChoreField::Name), {.text = &ChoreForm::name}},
    {IDC_CHORE_NEW_WINDOW, kNoField, {.check = &ChoreForm::newWindow}},
    {IDC_CHORE_START_NEW, kNoField, {.check = &ChoreForm::startNew}},
    {IDC_CHORE_HOTKEY, fieldId(ChoreField::HotKey), {.hotKey = &ChoreForm::hotKey}},
};

}  // namespace

CChoreDlg::CChoreDlg(const EditorContext& context, const Chore* existing, ChoreDialogHelpers helpers)
    : CDialogBase(GetModuleHandleW(nullptr), IDD_CHORE),
      helpers_(std::move(helpers)),
      prompts_(context.prompts),
      editor_({context.library, context.keyNames, context.registry, context.files, context.log,
               context.keyruneInstalled()},
              existing) {}

BOOL CChoreDlg::onInitDialog() {
  // A key pressed alone becomes Ctrl+key: a hot key needs a modifier.
  requireModifier(item(IDC_CHORE_HOTKEY));
  for (const int id : {IDC_CHORE_TARGET, IDC_CHORE_SITE, IDC_CHORE_ARGUMENTS, IDC_CHORE_INITIAL_DIR})
    attachTruncatedTips(item(id));
  setEnterButtons({IDC_CHORE_VIEW, IDC_CHORE_ADD, IDCANCEL, IDC_CHORE_BROWSE_TARGET, IDC_CHORE_BROWSE_DIR});
  showOpening();
  centreOnOwner();
  focus(IDC_CHORE_TYPE);
  return FALSE;
}

void CChoreDlg::showOpening() {
  const ChoreOpening opening = editor_.open();
  SetWindowTextW(hwnd(), toWide(opening.caption).c_str());
  setText(IDC_CHORE_ADD, opening.addLabel);
  std::vector<std::u16string> typeTexts;
  for (const ChoreAction& action : editor_.types()) typeTexts.emplace_back(action.name);
  setItems(IDC_CHORE_TYPE, typeTexts);
  SendMessageW(item(IDC_CHORE_TYPE), CB_SETMINVISIBLE, kTypeListRows, 0);
  setTargets(opening.targets);
  if (!opening.targets.empty()) selectIndex(IDC_CHORE_TARGET, 0);
  if (!opening.siteLabel.empty()) setText(IDC_CHORE_SITE_LABEL, opening.siteLabel);
  showForm(*this, opening.form, kFormControls);
  enableControls(opening.controls);
  if (opening.chooseTypeSoon) {
    SetTimer(hwnd(), kChooseTypeTimer, kOpeningDelayMs, nullptr);
  } else if (opening.dropTypeList) {
    // A moment after the dialog shows: dropped at once, Wine stacks the
    // dialog over its own list.
    SetTimer(hwnd(), kDropTypeListTimer, kOpeningDelayMs, nullptr);
  }
}

void CChoreDlg::enableControls(const ChoreControls& controls) const {
  enable(IDC_CHORE_VIEW, controls.view);
  enable(IDC_CHORE_TARGET, controls.target);
  enable(IDC_CHORE_BROWSE_TARGET, controls.targetBrowse);
  enable(IDC_CHORE_BROWSE_DIR, controls.initialDirBrowse);
  enable(IDC_CHORE_SITE, controls.site);
  enable(IDC_CHORE_ARGUMENTS, controls.arguments);
  enable(IDC_CHORE_INITIAL_DIR, controls.initialDir);
  enable(IDC_CHORE_NEW_WINDOW, controls.newWindow);
  enable(IDC_CHORE_START_NEW, controls.startNew);
}

INT_PTR CChoreDlg::onMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_TIMER:
      return onTimer(wParam);
    case kTypeChosenMessage:
      onTypeChosen();
      return TRUE;
    case WM_COMMAND:
      return onCommand(LOWORD(wParam), HIWORD(wParam));
    default:
      return FALSE;
  }
}

INT_PTR CChoreDlg::onCommand(int id, WORD code) {
  if (id == IDC_CHORE_TYPE) {
    onTypeListNotification(code);
    return TRUE;
  }
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDC_CHORE_VIEW:
      act(editor_.reopenType());
      return TRUE;
    case IDC_CHORE_BROWSE_TARGET:
      browseTarget();
      return TRUE;
    case IDC_CHORE_BROWSE_DIR:
      browseInitialDir();
      return TRUE;
    case IDC_CHORE_ADD:
      onAdd();
      return TRUE;
    case IDCANCEL:
      endDialog(IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CChoreDlg::onTimer(UINT_PTR timer) {
  if (timer != kChooseTypeTimer && timer != kDropTypeListTimer) return FALSE;
  KillTimer(hwnd(), timer);
  if (timer == kChooseTypeTimer) {
    act(editor_.reopenType());
    return TRUE;
  }
  // A user quicker than the timer has chosen already.
  if (formFromControls().typeIndex >= 0) return TRUE;
  focus(IDC_CHORE_TYPE);
  dropDown(IDC_CHORE_TYPE);
  return TRUE;
}

void CChoreDlg::dropDown(int id) const { SendMessageW(item(id), CB_SHOWDROPDOWN, TRUE, 0); }

void CChoreDlg::focus(int id) const {
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE);
}

// Only a committed choice counts: arrowing through the open list must not
// open a browser or a picker for every type passed.
void CChoreDlg::onTypeListNotification(WORD code) {
  if (code == CBN_SELENDOK) PostMessageW(hwnd(), kTypeChosenMessage, 0, 0);
}

void CChoreDlg::onTypeChosen() { act(editor_.commitType(formFromControls().typeIndex)); }

void CChoreDlg::act(const std::optional<TypeChoice>& choice) {
  if (!choice) return;
  enableControls(choice->controls);
  if (choice->clearTargets) {
    setTargets({});
    setText(IDC_CHORE_TARGET, u"");
  }
  if (!choice->siteLabel.empty()) setText(IDC_CHORE_SITE_LABEL, choice->siteLabel);
  switch (choice->followUp) {
    case TypeFollowUp::PickWindow:
      pickWindow(choice->windowsOperation);
      break;
    case TypeFollowUp::EditFileOperation:
      if (auto operation = helpers_.editFileOperation(hwnd(), editor_.choreBeingBuilt()))
        editor_.takeFileOperation(*operation);
      break;
    case TypeFollowUp::ListDesktopShortcuts:
      listDesktopShortcuts();
      break;
    case TypeFollowUp::BrowseTarget:
      browseTarget();
      break;
    case TypeFollowUp::FocusSite:
      focusAndSelect(IDC_CHORE_SITE);
      break;
    case TypeFollowUp::None:
      break;
  }
}

void CChoreDlg::pickWindow(bool windowsOperation) {
  const std::optional<Chore> picked =
      helpers_.pickWindowTarget(hwnd(), editor_.choreBeingBuilt(), editor_.pickerMode(windowsOperation));
  if (!picked || !editor_.takeWindowTarget(*picked, formFromControls().name)) return;
  setText(IDC_CHORE_NAME, kChoreNamePrompt);
  focusAndSelect(IDC_CHORE_NAME);
}

void CChoreDlg::listDesktopShortcuts() {
  const std::optional<std::vector<std::u16string>> shortcuts = editor_.desktopShortcuts();
  if (!shortcuts) return;
  setTargets(*shortcuts);
  focus(IDC_CHORE_TARGET);
  if (shortcuts->empty()) return;
  selectIndex(IDC_CHORE_TARGET, 0);
  if (shortcuts->size() > 1) dropDown(IDC_CHORE_TARGET);
}

void CChoreDlg::browseTarget() {
  const BrowseRequest request = editor_.browseTarget(formFromControls().typeIndex);
  if (request.folder) {
    const std::optional<ChosenFolder> folder = helpers_.shell.browseForFolder(hwnd(), request.title);
    if (!folder) return;
    addTarget(folder->path);
    if (!request.namesChore) return;
    setText(IDC_CHORE_NAME, folder->displayName);
    focusAndSelect(IDC_CHORE_NAME);
    return;
  }
  OpenFileRequest open;
  open.title = request.title;
  for (const auto& [label, pattern] : request.filters) open.filters.push_back({label, pattern});
  const std::vector<std::u16string> files = helpers_.shell.openFiles(hwnd(), open);
  if (!files.empty()) addTarget(files.front());
}

// Chosen again, a path is selected where it is rather than listed twice.
void CChoreDlg::addTarget(const std::u16string& path) {
  const auto known = std::find(targets_.begin(), targets_.end(), path);
  if (known != targets_.end()) {
    selectIndex(IDC_CHORE_TARGET, static_cast<int>(known - targets_.begin()));
    return;
  }
  targets_.push_back(path);
  const std::wstring wide = toWide(path);
  const LRESULT added = SendMessageW(item(IDC_CHORE_TARGET), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  selectIndex(IDC_CHORE_TARGET, static_cast<int>(added));
}

void CChoreDlg::setTargets(std::vector<std::u16string> targets) {
  setItems(IDC_CHORE_TARGET, targets);
  targets_ = std::move(targets);
}

void CChoreDlg::browseInitialDir() {
  const BrowseRequest request = ChoreEditor::browseInitialDir();
  const std::optional<ChosenFolder> folder = helpers_.shell.browseForFolder(hwnd(), request.title);
  if (!folder) return;
  setText(IDC_CHORE_INITIAL_DIR, folder->path);
  focusAndSelect(IDC_CHORE_INITIAL_DIR);
}

ChoreForm CChoreDlg::formFromControls() const { return readForm(*this, kFormControls); }

void CChoreDlg::onAdd() {
  ChoreSubmission submission = editor_.submit(formFromControls());
  if (const auto* refusal = std::get_if<Refusal>(&submission)) {
    showRefusal(*this, prompts_, *refusal, kFormControls);
    return;
  }
  result_ = std::move(std::get<Chore>(submission));
  endDialog(kChoreStoredResult);
}

std::optional<Chore> editChore(HWND parent, const EditorContext& context, const Chore* existing) {
  ChoreDialogHelpers helpers{
      systemShellDialogs(),
      [&context](HWND owner, const Chore& chore, PickerMode mode) {
        return pickWindowTarget(owner, context, chore, mode);
      },
      [&context](HWND owner, const Chore& chore) { return editFileOperation(owner, context, chore); }};
  CChoreDlg dialog(context, existing, std::move(helpers));
  if (dialog.runModal(parent) != kChoreStoredResult) return std::nullopt;
  return dialog.result();
}

}  // namespace tolvane::win32
