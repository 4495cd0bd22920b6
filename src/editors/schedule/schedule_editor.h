#pragma once
// The schedule editor's logic: what its controls show for a list's
// schedule, and what OK stores or why it refuses. The dialog
// (win32/schedule_dlg.h) only moves values between these forms and its
// controls.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/refusal.h"
#include "library/chore_list.h"
#include "platform/clock.h"

namespace tolvane {

inline constexpr char16_t kNoNextList[] = u"<< None >>";
inline constexpr char16_t kEverydayTokens[] = u"montuewedthufrisatsun";

// The day boxes from Monday to Sunday, and the token each stands for.
inline constexpr std::array<std::u16string_view, 7> kDayTokens = {u"mon", u"tue", u"wed", u"thu",
                                                                  u"fri", u"sat", u"sun"};

inline constexpr int kMaxPostDelay = 3600;
inline constexpr int kMaxRepeatCount = 99;

// What the controls hold. A picker without a value (its own box cleared)
// holds none; only the hour, minute and second of the time picker count,
// and only the day of the date picker.
struct ScheduleForm {
  bool runWindows = false;
  bool timeOfDayChecked = false;
  std::optional<LocalTime> timeOfDay;
  bool everyday = false;
  std::array<bool, 7> days{};
  bool dateChecked = false;
  std::optional<LocalTime> date;
  bool runMissed = false;
  std::u16string postDelay;
  std::u16string repeatCount;
  std::u16string nextList;  // the next-list box's text
  bool alwaysRun = false;
};

// The fields a refusal of OK names.
enum class ScheduleField { PostDelay, RepeatCount, TimeOfDay, NextList };

struct ScheduleOpening {
  std::u16string caption;
  ScheduleForm form;
  // "<< None >>", then every chore list in library order.
  std::vector<std::u16string> nextLists;
  // -1 when the stored next list no longer exists.
  int nextListIndex = 0;
  bool alwaysRunEnabled = false;
  // Said at once when the stored next list no longer exists; the user
  // then picks another from the dropped-down box.
  std::optional<Refusal> staleNextList;
};

// "Always run the next chore list" is offered only with a next list.
bool offersAlwaysRun(std::u16string_view nextList);

class ScheduleEditor {
 public:
  // `listNames`: every chore list in library order.
  ScheduleEditor(const ChoreSchedule& existing, std::vector<std::u16string> listNames, const Clock& clock)
      : existing_(existing), listNames_(std::move(listNames)), clock_(clock) {}

  ScheduleOpening open() const;

  // OK. Empty number edits become "0" in the form first (the dialog shows
  // them), whatever the outcome. The schedule as it was supplies a time or
  // date whose box is checked while its picker holds no value.
  Submission<ChoreSchedule> submit(ScheduleForm& form) const;

 private:
  ChoreSchedule existing_;
  std::vector<std::u16string> listNames_;
  const Clock& clock_;
};

}  // namespace tolvane
