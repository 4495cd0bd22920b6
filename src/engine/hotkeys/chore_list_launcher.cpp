#include "engine/hotkeys/chore_list_launcher.h"

#include <optional>

#include "base/format.h"
#include "engine/hotkeys/list_event_names.h"

namespace tolvane {

namespace {

std::optional<ChoreListId> listIdByName(const ChoreLibrary& library, std::u16string_view name) {
  return library.read([&](const LibraryContents& contents) -> std::optional<ChoreListId> {
    for (const ChoreList& list : contents.lists)
      if (list.name == name) return list.id;
    return std::nullopt;
  });
}

// A list renamed while it runs keeps its events under its old name until
// it ends; a list that has taken that name meanwhile waits till then, or
// the two runs would share their events.
bool runUnderName(const ChoreLibrary& library, ChoreListId other, std::u16string_view name) {
  return library.read([&](const LibraryContents& contents) {
    for (const ChoreList& list : contents.lists)
      if (list.id != other && list.inProgress && list.runName == name) return true;
    return false;
  });
}

}  // namespace

bool prepareListRun(ChoreList& list, Sync& sync) {
  if (list.inProgress) return false;
  list.inProgress = true;
  list.abortRequested = false;
  list.currentStep = 0;
  list.runName = list.name;
  list.runSteps = list.steps;
  for (std::size_t i = 0; i < list.runSteps.size(); ++i) {
    Chore& step = list.runSteps[i];
    step.completionEvent =
        step.compType == WAIT_HOTKEY
            ? sync.createEvent(stepCompletionEventName(list.name, static_cast<std::uint32_t>(i)), false, false)
            : nullptr;
  }
  list.termEvent = sync.createEvent(listTermEventName(list.name), false, false);
  return true;
}

bool requestListStop(ChoreList& list) {
  if (!list.inProgress) return false;
  list.abortRequested = true;
  if (list.termEvent) list.termEvent->set();
  return true;
}

bool ChoreListLauncher::launchChoreList(std::u16string_view name) {
  const std::optional<ChoreListId> id = listIdByName(library_, name);
  if (!id) return false;
  bool alreadyRunning = runUnderName(library_, *id, name);
  const bool found = library_.withChoreList(
      *id, [&](ChoreList& list) { alreadyRunning = alreadyRunning || !prepareListRun(list, sync_); });
  if (!found) return false;
  if (alreadyRunning) {
    log_.activity(formatText(u"Chorelist: %s is in progress.", name), true);
    return false;
  }

  const ChoreListThreadBody body = body_;
  const ChoreListId listId = *id;
  const int error = body && startThread_ ? startThread_([body, listId] { body(listId); }) : -1;
  if (error == 0) return true;
  log_.activity(formatText(u"Chorelist: %s, failed to create thread: err=%d.", name, error), true);
  // A list whose thread never started must not stay "in progress" for
  // good: it could never be started again.
  library_.withChoreList(listId, [](ChoreList& list) {
    list.inProgress = false;
    list.termEvent.reset();
    list.runSteps.clear();
  });
  return false;
}

bool ChoreListLauncher::stopChoreList(std::u16string_view name) {
  const std::optional<ChoreListId> id = listIdByName(library_, name);
  if (!id) return false;
  bool stopped = false;
  library_.withChoreList(*id, [&](ChoreList& list) { stopped = requestListStop(list); });
  return stopped;
}

}  // namespace tolvane
