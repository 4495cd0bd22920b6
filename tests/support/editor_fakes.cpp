#include "support/editor_fakes.h"

namespace tolvane::test {

bool RecordingTrials::runChore(const Chore& chore) {
  chores.push_back(chore);
  return true;
}

bool RecordingTrials::startList(const ChoreList& list) {
  lists.push_back(list);
  return true;
}

EditorContext EditorFakes::contextWith(Desktop& someDesktop, WindowActions& someWindows,
                                       Accessibility& someAccessibility) {
  return EditorContext{queries,     settings,    keyNames,          prompts,   log,
                       time,        someDesktop, someWindows,       someAccessibility,
                       processes,   registry,    files,             capture,   trials};
}

}  // namespace tolvane::test
