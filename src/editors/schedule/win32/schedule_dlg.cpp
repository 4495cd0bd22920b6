#include "editors/schedule/win32/schedule_dlg.h"

#include <commctrl.h>

#include "controls/truncated_tips/truncated_tips.h"
#include "editors/dialog_ids.h"
#include "editors/schedule/win32/schedule_ids.h"

namespace tolvane::win32 {

namespace {

// Posted by WM_INITDIALOG, so that the stale next list is reported over
// the dialog once it shows.
constexpr UINT kReportStaleNextList = WM_APP + 1;

constexpr std::array<int, 7> kDayBoxes = {IDC_SCHEDULE_MON, IDC_SCHEDULE_TUE, IDC_SCHEDULE_WED, IDC_SCHEDULE_THU,
                                          IDC_SCHEDULE_FRI, IDC_SCHEDULE_SAT, IDC_SCHEDULE_SUN};

SYSTEMTIME toSystemTime(const LocalTime& local) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(local.year);
  time.wMonth = static_cast<WORD>(local.month);
  time.wDay = static_cast<WORD>(local.day);
  time.wDayOfWeek = static_cast<WORD>(local.dayOfWeek);
  time.wHour = static_cast<WORD>(local.hour);
  time.wMinute = static_cast<WORD>(local.minute);
  time.wSecond = static_cast<WORD>(local.second);
  return time;
}

LocalTime fromSystemTime(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wDayOfWeek, 0};
}

void setPicker(HWND picker, const std::optional<LocalTime>& value) {
  // Wine ignores GDT_NONE without a time to go with it.
  SYSTEMTIME time{};
  GetLocalTime(&time);
  if (value) time = toSystemTime(*value);
  SendMessageW(picker, DTM_SETSYSTEMTIME, value ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(&time));
}

std::optional<LocalTime> pickerValue(HWND picker) {
  SYSTEMTIME time{};
  if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return std::nullopt;
  return fromSystemTime(time);
}

}  // namespace

std::optional<ChoreSchedule> editSchedule(HWND parent, const EditorContext& context, const ChoreSchedule& existing) {
  CSchedule dialog(context, existing);
  if (dialog.runModal(parent) != IDOK) return std::nullopt;
  return dialog.result();
}

CSchedule::CSchedule(const EditorContext& context, ChoreSchedule existing)
    : CDialogBase(GetModuleHandleW(nullptr), IDD_SCHEDULE), context_(context), existing_(std::move(existing)) {}

BOOL CSchedule::onInitDialog() {
  centreOnOwner();
  setEnterButtons({IDOK, IDCANCEL});
  opening_ = openSchedule(existing_, context_.library.choreListNames(), context_.clock);
  setItems(IDC_SCHEDULE_NEXT_LIST, opening_.nextLists);
  attachTruncatedTips(item(IDC_SCHEDULE_NEXT_LIST));
  selectIndex(IDC_SCHEDULE_NEXT_LIST, opening_.nextListIndex);
  enable(IDC_SCHEDULE_ALWAYS_RUN, opening_.alwaysRunEnabled);
  showForm(opening_.form);
  if (opening_.staleNextList) PostMessageW(hwnd(), kReportStaleNextList, 0, 0);
  return TRUE;
}

void CSchedule::showForm(const ScheduleForm& form) {
  setChecked(IDC_SCHEDULE_RUN_AT_START, form.runWindows);
  setChecked(IDC_SCHEDULE_TIME_OF_DAY, form.timeOfDayChecked);
  setPicker(item(IDC_SCHEDULE_TIME_PICKER), form.timeOfDay);
  setChecked(IDC_SCHEDULE_EVERYDAY, form.everyday);
  for (std::size_t day = 0; day < kDayBoxes.size(); ++day) setChecked(kDayBoxes[day], form.days[day]);
  setChecked(IDC_SCHEDULE_DATE, form.dateChecked);
  setPicker(item(IDC_SCHEDULE_DATE_PICKER), form.date);
  setChecked(IDC_SCHEDULE_RUN_MISSED, form.runMissed);
  setText(IDC_SCHEDULE_POST_DELAY, form.postDelay);
  setText(IDC_SCHEDULE_REPEAT_COUNT, form.repeatCount);
  setChecked(IDC_SCHEDULE_ALWAYS_RUN, form.alwaysRun);
}

ScheduleForm CSchedule::readForm() const {
  ScheduleForm form;
  form.runWindows = isChecked(IDC_SCHEDULE_RUN_AT_START);
  form.timeOfDayChecked = isChecked(IDC_SCHEDULE_TIME_OF_DAY);
  form.timeOfDay = pickerValue(item(IDC_SCHEDULE_TIME_PICKER));
  form.everyday = isChecked(IDC_SCHEDULE_EVERYDAY);
  for (std::size_t day = 0; day < kDayBoxes.size(); ++day) form.days[day] = isChecked(kDayBoxes[day]);
  form.dateChecked = isChecked(IDC_SCHEDULE_DATE);
  form.date = pickerValue(item(IDC_SCHEDULE_DATE_PICKER));
  form.runMissed = isChecked(IDC_SCHEDULE_RUN_MISSED);
  form.postDelay = text(IDC_SCHEDULE_POST_DELAY);
  form.repeatCount = text(IDC_SCHEDULE_REPEAT_COUNT);
  form.nextList = text(IDC_SCHEDULE_NEXT_LIST);
  form.alwaysRun = isChecked(IDC_SCHEDULE_ALWAYS_RUN);
  return form;
}

void CSchedule::reportStaleNextList() {
  context_.prompts.showWarning(*opening_.staleNextList, kEditorCaption);
  SetFocus(item(IDC_SCHEDULE_NEXT_LIST));
  SendMessageW(item(IDC_SCHEDULE_NEXT_LIST), CB_SHOWDROPDOWN, TRUE, 0);
}

void CSchedule::onNextListChosen() {
  const bool offered = offersAlwaysRun(text(IDC_SCHEDULE_NEXT_LIST));
  if (!offered) setChecked(IDC_SCHEDULE_ALWAYS_RUN, false);
  enable(IDC_SCHEDULE_ALWAYS_RUN, offered);
}

void CSchedule::onPickerBoxClicked(int boxId, int pickerId) {
  HWND picker = item(pickerId);
  if (!isChecked(boxId)) {
    setPicker(picker, std::nullopt);
    return;
  }
  if (!pickerValue(picker)) setPicker(picker, context_.clock.localNow());
}

void CSchedule::onPickerChanged(const NMDATETIMECHANGE& change) {
  const int boxId =
      change.nmhdr.idFrom == IDC_SCHEDULE_TIME_PICKER ? IDC_SCHEDULE_TIME_OF_DAY : IDC_SCHEDULE_DATE;
  setChecked(boxId, change.dwFlags == GDT_VALID);
}

void CSchedule::onOk() {
  ScheduleForm form = readForm();
  const ScheduleAnswer answer = acceptSchedule(form, existing_, context_.clock);
  setText(IDC_SCHEDULE_POST_DELAY, form.postDelay);
  setText(IDC_SCHEDULE_REPEAT_COUNT, form.repeatCount);
  if (answer.refusal) {
    showRefusal(*this, context_.prompts, *answer.refusal);
    return;
  }
  result_ = answer.schedule;
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
    onPickerChanged(*reinterpret_cast<const NMDATETIMECHANGE*>(lParam));
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
