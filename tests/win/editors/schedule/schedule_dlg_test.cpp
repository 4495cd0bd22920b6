#include "editors/schedule/win32/schedule_dlg.h"

#include <gtest/gtest.h>

#include "editors/schedule/win32/schedule_ids.h"
#include "support/editor_fakes.h"
#include "support/library_builders.h"
#include "win/editors/dialog_clicks.h"

namespace tolvane::win32 {
namespace {

void pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

std::optional<LocalTime> pickerTime(const CDialogBase& dialog, int id) {
  SYSTEMTIME time{};
  if (SendMessageW(dialog.item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return {};
  return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

void choose(const CDialogBase& dialog, int id, int index) {
  dialog.selectIndex(id, index);
  SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(dialog.item(id)));
}

// A user opens the schedule of a list whose next list was deleted, is told
// so, fixes the schedule through one refusal, and OK gives what he chose.
TEST(ScheduleDialog, OpensOnTheStoredScheduleAndOkStoresWhatTheUserChose) {
  test::EditorFakes services;
  const EditorContext context = services.context();
  services.library.appendChoreList(test::makeList(u"Morning"));
  services.library.appendChoreList(test::makeList(u"Backup"));
  ChoreSchedule stored;
  stored.hasRunTimeOfDay = true;
  stored.runTimeOfDay = services.time.fromLocal({2026, 2, 2, 7, 5, 9});
  stored.runDayOfWeek = u"monwed";
  stored.runPostDelay = 30;
  stored.nextChorelist = u"Gone";
  stored.alwaysRun = true;

  CSchedule dialog(context, stored);
  ASSERT_NE(dialog.create(nullptr), nullptr);
  pumpMessages();
  ASSERT_EQ(services.prompts.shown().size(), 1u);
  EXPECT_EQ(services.prompts.shown()[0].text,
            u"The next chore list: \"Gone\"\nwas not found in the current chore lists.\nPlease select another from "
            u"the list.");
  EXPECT_EQ(GetFocus(), dialog.item(IDC_SCHEDULE_NEXT_LIST));

  EXPECT_TRUE(dialog.isChecked(IDC_SCHEDULE_TIME_OF_DAY));
  const std::optional<LocalTime> time = pickerTime(dialog, IDC_SCHEDULE_TIME_PICKER);
  ASSERT_TRUE(time);
  EXPECT_EQ((std::array{time->hour, time->minute, time->second}), (std::array{7, 5, 9}));
  EXPECT_FALSE(pickerTime(dialog, IDC_SCHEDULE_DATE_PICKER)) << "no date: the picker holds no value";
  EXPECT_TRUE(dialog.isChecked(IDC_SCHEDULE_MON));
  EXPECT_TRUE(dialog.isChecked(IDC_SCHEDULE_WED));
  EXPECT_FALSE(dialog.isChecked(IDC_SCHEDULE_SUN));
  EXPECT_EQ(dialog.text(IDC_SCHEDULE_POST_DELAY), u"30");
  EXPECT_EQ(dialog.items(IDC_SCHEDULE_NEXT_LIST), (std::vector<std::u16string>{u"<< None >>", u"Morning", u"Backup"}));
  EXPECT_EQ(dialog.selectedIndex(IDC_SCHEDULE_NEXT_LIST), -1);

  choose(dialog, IDC_SCHEDULE_NEXT_LIST, 0);
  EXPECT_FALSE(dialog.isChecked(IDC_SCHEDULE_ALWAYS_RUN));
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_SCHEDULE_ALWAYS_RUN)));
  choose(dialog, IDC_SCHEDULE_NEXT_LIST, 2);
  EXPECT_TRUE(IsWindowEnabled(dialog.item(IDC_SCHEDULE_ALWAYS_RUN)));
  click(dialog, IDC_SCHEDULE_ALWAYS_RUN);

  // Days without a time of day are refused; the empty count shows 0.
  click(dialog, IDC_SCHEDULE_TIME_OF_DAY);
  EXPECT_FALSE(pickerTime(dialog, IDC_SCHEDULE_TIME_PICKER));
  click(dialog, IDC_SCHEDULE_EVERYDAY);
  dialog.setText(IDC_SCHEDULE_REPEAT_COUNT, u"");
  SendMessageW(dialog.hwnd(), WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(dialog.result());
  EXPECT_EQ(services.prompts.shown().back().text, u"Please specify the Time-of-Day.");
  EXPECT_EQ(services.prompts.shown().back().caption, u"Tolvane");
  EXPECT_EQ(GetFocus(), dialog.item(IDC_SCHEDULE_TIME_PICKER));
  EXPECT_EQ(dialog.text(IDC_SCHEDULE_REPEAT_COUNT), u"0");

  // Checking the box gives the empty picker the time now.
  click(dialog, IDC_SCHEDULE_TIME_OF_DAY);
  SendMessageW(dialog.hwnd(), WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(dialog.result());
  const ChoreSchedule& chosen = *dialog.result();
  EXPECT_TRUE(chosen.hasRunTimeOfDay);
  EXPECT_EQ(chosen.runTimeOfDay, services.time.fromLocal({2026, 2, 2, 12, 0, 0}));
  EXPECT_TRUE(chosen.runEveryday);
  EXPECT_EQ(chosen.runDayOfWeek, u"montuewedthufrisatsun");
  EXPECT_EQ(chosen.runPostDelay, 30);
  EXPECT_EQ(chosen.runRepeatCount, 0);
  EXPECT_EQ(chosen.nextChorelist, u"Backup");
  EXPECT_TRUE(chosen.alwaysRun);
}

}  // namespace
}  // namespace tolvane::win32
