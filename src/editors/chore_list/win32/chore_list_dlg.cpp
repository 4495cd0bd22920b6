#include "editors/chore_list/win32/chore_list_dlg.h"

#include <commctrl.h>

#include "editors/chore_list/win32/chore_list_ids.h"
#include "editors/dialog_ids.h"
#include "editors/schedule/win32/schedule_dlg.h"
#include "controls/truncated_tips/truncated_tips.h"
#include "editors/picker/win32/picker_dlg.h"

namespace tolvane::win32 {

namespace {

constexpr int kCompletionListItems = 11;

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
  if (!editor_.editing()) {
    SetFocus(item(IDC_LIST_AVAILABLE));
    return FALSE;
  }
  SetWindowTextW(hwnd(), L"Edit chore list");
  setText(IDC_LIST_SAVE, u"Save");
  setText(IDC_LIST_NAME, editor_.working().name);
  setHotKey(item(IDC_LIST_HOTKEY), editor_.working().hotKey);
  setItems(IDC_LIST_STEPS, editor_.stepNames());
  apply(editor_.select(editor_.working().steps.empty() ? -1 : 0, readStep()), false);
  SetFocus(item(IDC_LIST_STEPS));
  return FALSE;
}

void CChoreList::fillControls() {
  setItems(IDC_LIST_AVAILABLE, context_.library.choreNames());
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

StepForm CChoreList::readStep() const {
  StepForm form;
  form.compType = selectedIndex(IDC_LIST_COMPLETION_TYPE);
  form.compData = text(IDC_LIST_COMPLETION_DATA);
  form.timeout = text(IDC_LIST_TIMEOUT);
  form.hotKey = hotKeyOf(item(IDC_LIST_STEP_HOTKEY));
  form.continueOnTimeout = isChecked(IDC_LIST_CONTINUE);
  return form;
}

void CChoreList::showStep(const StepShown& shown) {
  setHotKey(item(IDC_LIST_STEP_HOTKEY), shown.form.hotKey);
  selectIndex(IDC_LIST_COMPLETION_TYPE, shown.form.compType);
  setText(IDC_LIST_COMPLETION_DATA, shown.form.compData);
  setText(IDC_LIST_TIMEOUT, shown.form.timeout);
  setChecked(IDC_LIST_CONTINUE, shown.form.continueOnTimeout);
  enable(IDC_LIST_VIEW, shown.windowPick);
}

void CChoreList::apply(const StepChange& change, bool refill) {
  if (refill) setItems(IDC_LIST_STEPS, editor_.stepNames());
  selectIndex(IDC_LIST_STEPS, change.selected);
  if (change.shown) showStep(*change.shown);
  if (change.refusal) showRefusal(*this, context_.prompts, *change.refusal);
}

void CChoreList::onStepSelected() { apply(editor_.select(selectedIndex(IDC_LIST_STEPS), readStep()), false); }

void CChoreList::onAddSteps(bool doubleClicked) {
  const bool beforeSelected = GetKeyState(VK_CONTROL) < 0;
  // The chore double-clicked is added even where the click took its
  // selection away again.
  if (doubleClicked) {
    SendMessageW(item(IDC_LIST_AVAILABLE), LB_SETSEL, TRUE,
                 SendMessageW(item(IDC_LIST_AVAILABLE), LB_GETCARETINDEX, 0, 0));
  }
  const std::vector<std::u16string> available = items(IDC_LIST_AVAILABLE);
  std::vector<std::u16string> chosen;
  for (const int index : selectedIndices(IDC_LIST_AVAILABLE)) chosen.push_back(available[static_cast<std::size_t>(index)]);
  if (chosen.empty()) return;
  SendMessageW(item(IDC_LIST_AVAILABLE), LB_SETSEL, FALSE, -1);
  apply(editor_.addSteps(chosen, beforeSelected, readStep()), true);
  SetFocus(item(IDC_LIST_STEPS));
}

void CChoreList::onRemoveStep() {
  const int index = editor_.currentStep();
  if (index < 0) return;
  const std::u16string name = editor_.working().steps[static_cast<std::size_t>(index)].name;
  const std::vector<std::u16string> available = items(IDC_LIST_AVAILABLE);
  for (std::size_t i = 0; i < available.size(); ++i) {
    if (available[i] == name) SendMessageW(item(IDC_LIST_AVAILABLE), LB_SETSEL, FALSE, static_cast<LPARAM>(i));
  }
  apply(editor_.removeStep(), true);
}

void CChoreList::onMoveStep(int delta) { apply(editor_.moveStep(delta, readStep()), true); }

void CChoreList::onCompletionChosen(bool view) {
  if (editor_.currentStep() < 0) return;
  const std::int32_t type = selectedIndex(IDC_LIST_COMPLETION_TYPE);
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
  if (auto refusal = editor_.storeCurrent(readStep())) showRefusal(*this, context_.prompts, *refusal);
}

void CChoreList::onSchedule() {
  if (auto schedule = dialogs_.editSchedule(hwnd(), editor_.schedule())) editor_.setSchedule(*schedule);
}

void CChoreList::onSave() {
  const ListSaveAnswer answer = editor_.save(text(IDC_LIST_NAME), hotKeyOf(item(IDC_LIST_HOTKEY)), readStep());
  if (answer.refusal) {
    showRefusal(*this, context_.prompts, *answer.refusal);
    return;
  }
  result_ = answer.list;
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
