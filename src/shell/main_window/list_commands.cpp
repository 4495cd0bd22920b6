// The main window's commands that open the chore-list and schedule
// editors, and store what they return.

#include "editors/chore_list/win32/chore_list_dlg.h"
#include "editors/schedule/win32/schedule_dlg.h"
#include "shell/core/editor_session.h"
#include "shell/main_window/main_parts.h"
#include "shell/resource.h"

namespace tolvane::win32 {

namespace {

// A list under way is only stopped, not edited or scheduled.
bool canScheduleSelectedList(const MainParts& parts) {
  return canOpenDialog(parts) && parts.tree.selected().kind == TreeItemKind::List && !isSelectedListRunning(parts);
}

void createChoreList(MainParts& parts) {
  EditorSession session(parts.core);
  const std::optional<ChoreList> list = editChoreList(parts.window, session.context(), nullptr);
  if (list) parts.store.addChoreList(*list);
}

void scheduleSelectedList(MainParts& parts) {
  const std::u16string name = parts.tree.selected().name;
  EditorSession session(parts.core);
  const ChoreSchedule now = parts.core.library().copyChoreList(name).schedule;
  if (auto schedule = editSchedule(parts.window, session.context(), now)) parts.store.storeSchedule(name, *schedule);
}

}  // namespace

// Lists the wizard keeps for itself are not edited by hand.
bool canEditSelectedList(const MainParts& parts) {
  return canScheduleSelectedList(parts) && !isWizardName(parts.tree.selected().name);
}

void editSelectedList(MainParts& parts) {
  const std::u16string name = parts.tree.selected().name;
  EditorSession session(parts.core);
  const ChoreList existing = parts.core.library().copyChoreList(name);
  const std::optional<ChoreList> list = editChoreList(parts.window, session.context(), &existing);
  if (list) parts.store.replaceChoreList(name, *list);
}

// A new list and the selected one; the schedule editor for the selected
// list (also the toolbar's and the tree menu's Schedule).
void addListCommands(CommandTable& commands, MainParts& parts) {
  commands.add(ID_FILE_NEW_CHORELIST, {[&parts] { return canOpenDialog(parts); }, [&parts] { createChoreList(parts); }});
  commands.add(ID_EDIT_SELECTED_CHORELIST,
               {[&parts] { return canEditSelectedList(parts); }, [&parts] { editSelectedList(parts); }});
  commands.add(ID_FILE_SCHEDULE,
               {[&parts] { return canScheduleSelectedList(parts); }, [&parts] { scheduleSelectedList(parts); }});
  commands.forward(ID_SCHEDULE_CHORELIST, ID_FILE_SCHEDULE);
  // Whatever opens them, the list's editors need a list selected, and
  // never open the wizard's own lists.
  commands.require(ID_EDIT_SELECTED_CHORELIST, [&parts] { return parts.treeEdits.selectionCommands().editList; });
  commands.require(ID_FILE_SCHEDULE, [&parts] { return parts.treeEdits.selectionCommands().schedule; });
}

}  // namespace tolvane::win32
