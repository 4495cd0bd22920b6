#include "editors/schedule/win32/schedule_dlg.h"

#include <commctrl.h>

#include "controls/truncated_tips/truncated_tips.h"
#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/schedule/win32/schedule_ids.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

// Posted by WM_INITDIALOG, so that the stale next list is reported over
// the dialog once it shows.
constexpr UINT kReportStaleNextList = WM_APP + 1;

constexpr ControlBinding<ScheduleForm> kScheduleControls[] = {
    {IDC_SCHEDULE_RUN_AT_START, kNoField, {.check = &ScheduleForm::runWindows}},
    {IDC_SCHEDULE_TIME_OF_DAY, kNoField, {.check = &ScheduleForm::timeOfDayChecked}},
    {IDC_SCHEDULE_TIME_PICKER, fieldId(ScheduleField::TimeOfDay), {.time = &ScheduleForm::timeOfDay}},
    {IDC_SCHEDULE_EVERYDAY, kNoField, {.check = &ScheduleForm::everyday}},
    {IDC_SCHEDULE_MON, kNoField, {.week = &ScheduleForm::days, .value = 0}},
    {IDC_SCHEDULE_TUE, kNoField, {.week = &ScheduleForm::days, .value = 1}},
    {IDC_SCHEDULE_WED, kNoField, {.week = &ScheduleForm::days, .value = 2}},
    {IDC_SCHEDULE_THU, kNoField, {.week = &ScheduleForm::days, .value = 3}},
    {IDC_SCHEDULE_FRI, kNoField, {.week = &ScheduleForm::days, .value = 4}},
    {IDC_SCHEDULE_SAT, kNoField, {.week = &ScheduleForm::days, .value = 5}},
    {IDC_SCHEDULE_SUN, kNoField, {.week = &ScheduleForm::days, .value = 6}},
    {IDC_SCHEDULE_DATE, kNoField, {.check = &ScheduleForm::dateChecked}},
    {IDC_SCHEDULE_DATE_PICKER, kNoField, {.time = &ScheduleForm::date}},
    {IDC_SCHEDULE_RUN_MISSED, kNoField, {.check = &ScheduleForm::runMissed}},
    {IDC_SCHEDULE_POST_DELAY, fieldId(ScheduleField::PostDelay), {.text = &ScheduleForm::postDelay}},
    {IDC_SCHEDULE_REPEAT_COUNT, fieldId(ScheduleField::RepeatCount), {.text = &ScheduleForm::repeatCount}},
    {IDC_SCHEDULE_NEXT_LIST, fieldId(ScheduleField::NextList), {.text = &ScheduleForm::nextList}},
    {IDC_SCHEDULE_ALWAYS_RUN, kNoField, {.check = &ScheduleForm::alwaysRun}},
};

}  // namespace

std::optional<ChoreSchedule> editSchedule(HWND parent, const EditorContext& context, const ChoreSchedule& existing) {
  CSchedule dialog(context, existing);
  if (dialog.runModal(parent) != IDOK) return std::nullopt;
  return dialog.result();
}

CSchedule::CSchedule(const EditorContext& context, const ChoreSchedule& existing)
    : CDialogBase(GetModuleHandleW(nullptr), IDD_SCHEDULE),
      context_(context),
      editor_(existing, context.library.choreListNames(), context.clock) {}

BOOL CSchedule::onInitDialog() {
  centreOnOwner();
  setEnterButtons({IDOK, IDCANCEL});
  opening_ = editor_.open();
  SetWindowTextW(hwnd(), toWide(opening_.caption).c_str());
  setItems(IDC_SCHEDULE_NEXT_LIST, opening_.nextLists);
  attachTruncatedTips(item(IDC_SCHEDULE_NEXT_LIST));
  selectIndex(IDC_SCHEDULE_NEXT_LIST, opening_.nextListIndex);
  enable(IDC_SCHEDULE_ALWAYS_RUN, opening_.alwaysRunEnabled);
  showForm(*this, opening_.form, kScheduleControls);
  if (opening_.staleNextList) PostMessageW(hwnd(), kReportStaleNextList, 0, 0);
  return TRUE;
}

void CSchedule::reportStaleNextList() {
  showRefusal(*this, context_.prompts, *opening_.staleNextList, kScheduleControls);
}

void CSchedule::onNextListChosen() {
  const bool offered = offersAlwaysRun(readForm(*this, kScheduleControls).nextList);
  if (!offered) setChecked(IDC_SCHEDULE_ALWAYS_RUN, false);
  enable(IDC_SCHEDULE_ALWAYS_RUN, offered);
}

// A picker's value follows its box: checked, it gets one (now, when it had
// none); cleared, it loses it. Only the picker that changes is written:
// setting one again would tell the dialog of a change nobody made.
void CSchedule::onPickerBoxClicked(int boxId, int pickerId) {
  const ScheduleForm form = readForm(*this, kScheduleControls);
  const bool timeBox = boxId == IDC_SCHEDULE_TIME_OF_DAY;
  const bool checked = timeBox ? form.timeOfDayChecked : form.dateChecked;
  const bool hasValue = (timeBox ? form.timeOfDay : form.date).has_value();
  if (!checked) setPickerTime(item(pickerId), std::nullopt);
  if (checked && !hasValue) setPickerTime(item(pickerId), context_.clock.localNow());
}

// And a box follows its picker's own.
void CSchedule::onPickerChanged() {
  const ScheduleForm form = readForm(*this, kScheduleControls);
  setChecked(IDC_SCHEDULE_TIME_OF_DAY, form.timeOfDay.has_value());
  setChecked(IDC_SCHEDULE_DATE, form.date.has_value());
}

void CSchedule::onOk() {
  ScheduleForm form = readForm(*this, kScheduleControls);
  Submission<ChoreSchedule> outcome = editor_.submit(form);
  setText(IDC_SCHEDULE_POST_DELAY, form.postDelay);
  setText(IDC_SCHEDULE_REPEAT_COUNT, form.repeatCount);
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    showRefusal(*this, context_.prompts, *refusal, kScheduleControls);
    return;
  }
  result_ = std::get<ChoreSchedule>(outcome);
  endDialog(IDOK);
}

INT_PTR CSchedule::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReportStaleNextList) {
    reportStaleNextList();
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != DTN_DATETIMECHANGE) return FALSE;
    onPickerChanged();
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == IDC_SCHEDULE_NEXT_LIST && code == CBN_SELCHANGE) {
    onNextListChosen();
    return TRUE;
  }
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK:
      onOk();
      return TRUE;
    case IDCANCEL:
      endDialog(IDCANCEL);
      return TRUE;
    case IDC_SCHEDULE_TIME_OF_DAY:
      onPickerBoxClicked(IDC_SCHEDULE_TIME_OF_DAY, IDC_SCHEDULE_TIME_PICKER);
      return TRUE;
    case IDC_SCHEDULE_DATE:
      onPickerBoxClicked(IDC_SCHEDULE_DATE, IDC_SCHEDULE_DATE_PICKER);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tolvane::win32
