#pragma once
// The schedule editor (dialog 165, "Set up a schedule"): opened by the
// main window's "Schedule a chore list" and the chore-list editor's
// "Schedule" button with a copy of a list's schedule; OK gives the new one.

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>

#include "controls/dialog_base/dialog_base.h"
#include "editors/editor_context.h"
#include "editors/schedule/schedule_editor.h"

namespace tolvane::win32 {

// None when the user cancels.
std::optional<ChoreSchedule> editSchedule(HWND parent, const EditorContext& context, const ChoreSchedule& existing);

class CSchedule final : public CDialogBase {
 public:
  CSchedule(const EditorContext& context, const ChoreSchedule& existing);

  // What OK stored; none until then.
  const std::optional<ChoreSchedule>& result() const { return result_; }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void reportStaleNextList();
  void onNextListChosen();
  // The box beside a picker and the picker's own box agree: checking the
  // one gives the other a value, clearing it takes the value away.
  void onPickerBoxClicked(int boxId, int pickerId);
  void onPickerChanged();
  void onOk();

  const EditorContext& context_;
  ScheduleEditor editor_;
  ScheduleOpening opening_;
  std::optional<ChoreSchedule> result_;
};

}  // namespace tolvane::win32
