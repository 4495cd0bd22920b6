#include "editors/chore_list/win32/chore_list_dlg.h"

#include <commctrl.h>

#include "editors/chore_list/win32/chore_list_ids.h"
#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/schedule/win32/schedule_dlg.h"
#include "controls/truncated_tips/truncated_tips.h"
#include "editors/picker/win32/picker_dlg.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

constexpr int kCompletionListItems = 11;

// The step's controls first: showing a step writes only those.
constexpr ControlBinding<ChoreListForm> kListControls[] = {
    {IDC_LIST_COMPLETION_TYPE, kNoField, {.selection = &ChoreListForm::compType}},
    {IDC_LIST_COMPLETION_DATA, fieldId(ChoreListField::CompletionData), {.text = &ChoreListForm::compData}},
    {IDC_LIST_TIMEOUT, kNoField, {.text = &ChoreListForm::timeout}},
    {IDC_LIST_STEP_HOTKEY, fieldId(ChoreListField::StepHotKey), {.hotKey = &ChoreListForm::hotKey}},
    {IDC_LIST_CONTINUE, kNoField, {.check = &ChoreListForm::continueOnTimeout}},
    {IDC_LIST_NAME, fieldId(ChoreListField::Name), {.text = &ChoreListForm::name}},
    {IDC_LIST_HOTKEY, fieldId(ChoreListField::HotKey), {.hotKey = &ChoreListForm::listHotKey}},
    {IDC_LIST_STEPS, kNoField, {.selection = &ChoreListForm::step}},
    {IDC_LIST_AVAILABLE, fieldId(ChoreListField::Available), {.selections = &ChoreListForm::available}},
    {IDC_LIST_AVAILABLE, kNoField, {.caret = &ChoreListForm::availableCaret}},
};
constexpr std::size_t kStepControlCount = 5;

std::vector<std::u16string> completionTypeNames() {
  std::vector<std::u16string> names;
  for (const CompletionTypeEntry& entry : completionTypeTable()) names.emplace_back(entry.name);
  return names;
}

// Delete removes the step, Alt+Up and Alt+Down move it: the list box
// itself has no use for them.
LRESULT CALLBACK stepListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  int command = 0;
  if (message == WM_KEYDOWN && wParam == VK_DELETE) command = IDC_LIST_REMOVE_STEP;
  if (message == WM_SYSKEYDOWN && wParam == VK_UP) command = IDC_LIST_STEP_UP;
  if (message == WM_SYSKEYDOWN && wParam == VK_DOWN) command = IDC_LIST_STEP_DOWN;
  if (command == 0) return DefSubclassProc(list, message, wParam, lParam);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
  return 0;
}

}  // namespace

std::optional<ChoreList> editChoreList(HWND parent, const EditorContext& context, const ChoreList* existing) {
  CChoreList dialog(context, existing);
  if (dialog.runModal(parent) != IDOK) return std::nullopt;
  return dialog.result();
}

CChoreList::CChoreList(const EditorContext& context, const ChoreList* existing, ChoreListDialogs dialogs)
    : CDialogBase(GetModuleHandleW(nullptr), IDD_CHORE_LIST),
      context_(context),
      editor_(context.library, context.keyNames, existing),
      dialogs_(std::move(dialogs)) {
  if (!dialogs_.shell) dialogs_.shell = &systemShellDialogs();
  if (!dialogs_.pickWindow) {
    // A completion waits for a window, whatever the step's chore does.
    dialogs_.pickWindow = [this](HWND owner, const Chore& chore, bool firstOpen) {
      return pickWindowTarget(owner, context_, chore, PickerMode{true, true, firstOpen});
    };
  }
  if (!dialogs_.editSchedule) {
    dialogs_.editSchedule = [this](HWND owner, const ChoreSchedule& schedule) {
      return tolvane::win32::editSchedule(owner, context_, schedule);
    };
  }
}

BOOL CChoreList::onInitDialog() {
  centreOnOwner();
  setEnterButtons({IDC_LIST_VIEW, IDC_LIST_SAVE, IDCANCEL, IDC_LIST_STEP_UP, IDC_LIST_STEP_DOWN, IDC_LIST_ADD_STEPS,
                   IDC_LIST_REMOVE_STEP, IDC_LIST_SCHEDULE});
  fillControls();
  SetWindowSubclass(item(IDC_LIST_STEPS), stepListKeys, 0, 0);
  addMoveTip();
  for (const int id : {IDC_LIST_AVAILABLE, IDC_LIST_STEPS, IDC_LIST_COMPLETION_DATA}) attachTruncatedTips(item(id));
  const ChoreListOpening opening = editor_.open();
  SetWindowTextW(hwnd(), toWide(opening.caption).c_str());
  setText(IDC_LIST_SAVE, opening.saveLabel);
  if (!editor_.editing()) {
    SetFocus(item(IDC_LIST_AVAILABLE));
    return FALSE;
  }
  ChoreListForm form = readForm(*this, kListControls);
  form.name = opening.name;
  form.listHotKey = opening.hotKey;
  showForm(*this, form, kListControls);
  setItems(IDC_LIST_STEPS, opening.steps);
  apply(opening.first, false);
  SetFocus(item(IDC_LIST_STEPS));
  return FALSE;
}

void CChoreList::fillControls() {
  available_ = context_.library.choreNames();
  setItems(IDC_LIST_AVAILABLE, available_);
  setItems(IDC_LIST_COMPLETION_TYPE, completionTypeNames());
  SendMessageW(item(IDC_LIST_COMPLETION_TYPE), CB_SETMINVISIBLE, kCompletionListItems, 0);
  requireModifier(item(IDC_LIST_HOTKEY));
  requireModifier(item(IDC_LIST_STEP_HOTKEY));
  showStep({});
}

void CChoreList::addMoveTip() {
  HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance(), nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(item(IDC_LIST_STEPS));
  tool.lpszText = const_cast<wchar_t*>(L"Use Alt+Up/Down keys to move chores up/down the list.");
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

ChoreListForm CChoreList::readControls() const { return readForm(*this, kListControls); }

void CChoreList::showStep(const StepShown& shown) {
  ChoreListForm form;
  static_cast<StepForm&>(form) = shown.form;
  showForm(*this, form, std::span(kListControls).first(kStepControlCount));
  enable(IDC_LIST_VIEW, shown.windowPick);
}

void CChoreList::showRefusal(const Refusal& refusal) {
  win32::showRefusal(*this, context_.prompts, refusal, kListControls);
}

void CChoreList::apply(const StepChange& change, bool refill) {
  if (refill) setItems(IDC_LIST_STEPS, editor_.stepNames());
  selectIndex(IDC_LIST_STEPS, change.selected);
  if (change.shown) showStep(*change.shown);
  if (change.refusal) showRefusal(*change.refusal);
}

void CChoreList::onStepSelected() {
  const ChoreListForm form = readControls();
  apply(editor_.select(form.step, form), false);
}

void CChoreList::onAddSteps(bool doubleClicked) {
  const bool beforeSelected = GetKeyState(VK_CONTROL) < 0;
  // The chore double-clicked is added even where the click took its
  // selection away again.
  if (doubleClicked) SendMessageW(item(IDC_LIST_AVAILABLE), LB_SETSEL, TRUE, readControls().availableCaret);
  const ChoreListForm form = readControls();
  std::vector<std::u16string> chosen;
  for (const int index : form.available) chosen.push_back(available_[static_cast<std::size_t>(index)]);
  if (chosen.empty()) return;
  selectIndex(IDC_LIST_AVAILABLE, -1);
  apply(editor_.addSteps(chosen, beforeSelected, form), true);
  SetFocus(item(IDC_LIST_STEPS));
}

void CChoreList::onRemoveStep() {
  const int index = editor_.currentStep();
  if (index < 0) return;
  const std::u16string name = editor_.working().steps[static_cast<std::size_t>(index)].name;
  for (std::size_t i = 0; i < available_.size(); ++i) {
    if (available_[i] == name) SendMessageW(item(IDC_LIST_AVAILABLE), LB_SETSEL, FALSE, static_cast<LPARAM>(i));
  }
  apply(editor_.removeStep(), true);
}

void CChoreList::onMoveStep(int delta) { apply(editor_.moveStep(delta, readControls()), true); }

void CChoreList::onCompletionChosen(bool view) {
  if (editor_.currentStep() < 0) return;
  const std::int32_t type = readControls().compType;
  enable(IDC_LIST_VIEW, isWindowCompletion(type));
  switch (type) {
    case FILE_CREATED:
    case FILE_DELETED:
      chooseFile();
      return;
    case WAIT_HOTKEY:
      SetFocus(item(IDC_LIST_STEP_HOTKEY));
      return;
    case COMP_NONE:
      setText(IDC_LIST_COMPLETION_DATA, u"");
      setHotKey(item(IDC_LIST_STEP_HOTKEY), {});
      return;
    case WND_CREATED:
    case WND_DESTROYED:
      if (view) editor_.markPickPending();
      pickWindow();
      return;
    default:
      focusAndSelect(IDC_LIST_COMPLETION_DATA);
      return;
  }
}

void CChoreList::chooseFile() {
  OpenFileRequest request;
  request.title = u"Select a file for a chore completion event:";
  request.filters = {{u"All files", u"*.*"}};
  // A file the step waits for need not exist yet.
  request.mustExist = false;
  const std::vector<std::u16string> chosen = dialogs_.shell->openFiles(hwnd(), request);
  if (!chosen.empty()) setText(IDC_LIST_COMPLETION_DATA, chosen.front());
  focusAndSelect(IDC_LIST_COMPLETION_DATA);
}

void CChoreList::pickWindow() {
  const std::optional<Chore> picked = dialogs_.pickWindow(hwnd(), editor_.pickerChore(), editor_.firstWindowPick());
  if (!picked) return;
  setText(IDC_LIST_COMPLETION_DATA, editor_.takeWindowPick(*picked));
  focusAndSelect(IDC_LIST_COMPLETION_DATA);
  if (auto refusal = editor_.storeCurrent(readControls())) showRefusal(*refusal);
}

void CChoreList::onSchedule() {
  if (auto schedule = dialogs_.editSchedule(hwnd(), editor_.schedule())) editor_.setSchedule(*schedule);
}

void CChoreList::onSave() {
  Submission<ChoreList> outcome = editor_.submit(readControls());
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    showRefusal(*refusal);
    return;
  }
  result_ = std::move(std::get<ChoreList>(outcome));
  endDialog(IDOK);
}

INT_PTR CChoreList::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == IDC_LIST_STEPS && code == LBN_SELCHANGE) {
    onStepSelected();
    return TRUE;
  }
  if (id == IDC_LIST_AVAILABLE && code == LBN_DBLCLK) {
    onAddSteps(true);
    return TRUE;
  }
  if (id == IDC_LIST_COMPLETION_TYPE && code == CBN_SELCHANGE) {
    onCompletionChosen(false);
    return TRUE;
  }
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDC_LIST_ADD_STEPS:
      onAddSteps(false);
      return TRUE;
    case IDC_LIST_REMOVE_STEP:
      onRemoveStep();
      return TRUE;
    case IDC_LIST_STEP_UP:
      onMoveStep(-1);
      return TRUE;
    case IDC_LIST_STEP_DOWN:
      onMoveStep(+1);
      return TRUE;
    case IDC_LIST_VIEW:
      onCompletionChosen(true);
      return TRUE;
    case IDC_LIST_SCHEDULE:
      onSchedule();
      return TRUE;
    case IDOK:
    case IDC_LIST_SAVE:
      onSave();
      return TRUE;
    case IDCANCEL:
      endDialog(IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tolvane::win32
