#include "editors/wizard/wizard_build.h"

#include <set>

#include "base/text.h"
#include "editors/wizard/captured_steps.h"

namespace tolvane {
namespace {

Chore launchChore(const WizardChoices& choices) {
  Chore chore = choices.programChore;
  chore.name = choices.name;
  chore.hotKey = choices.hotKey;
  if (choices.startNew) chore.startNew = true;
  return chore;
}

ChoreList captureList(const WizardChoices& choices, BuildMode mode) {
  ChoreList list;
  list.name = mode == BuildMode::Test ? std::u16string(kTestListName) : choices.name;
  list.hotKey = choices.hotKey;
  if (std::optional<Chore> launcher = buildLauncher(choices)) list.steps.push_back(std::move(*launcher));
  list.steps.insert(list.steps.end(), choices.capturedSteps.begin(), choices.capturedSteps.end());
  // The list ends with its last key: nothing to wait for after it.
  if (!choices.capturedSteps.empty()) {
    list.steps.back().compType = COMP_NONE;
    list.steps.back().compData.clear();
  }
  return list;
}

std::vector<Chore> choresMissingFrom(const ChoreList& list, const LibraryQueries& library) {
  std::vector<Chore> missing;
  std::set<std::u16string> seen;
  for (const Chore& step : list.steps) {
    if (!seen.insert(step.name).second || !library.isNameUnused(step.name)) continue;
    missing.push_back(step);
  }
  return missing;
}

}  // namespace

std::optional<Chore> buildLauncher(const WizardChoices& choices) {
  if (choices.startMenuMode) {
    Chore opener = startMenuOpener();
    opener.name = u"_Wiz_TaskList";
    return opener;
  }
  if (!choices.target.isSet()) return std::nullopt;
  Chore launcher;
  launcher.name = u"_WizRun_" + choices.target.windowText;
  if (endsWithIgnoreAsciiCase(choices.target.modulePath, u"Explorer.exe")) {
    launcher.verb = u"Explore a folder";
    launcher.type = CHORE_EXPLORE;
    launcher.object = choices.target.windowText;
    return launcher;
  }
  launcher.verb = u"Run a program or its shortcut";
  launcher.type = CHORE_RUN;
  launcher.object = choices.target.modulePath;
  launcher.startNew = choices.startNew;
  return launcher;
}

WizardResult buildWizardResult(const WizardChoices& choices, BuildMode mode, const LibraryQueries& library) {
  WizardResult result;
  if (choices.kind == ChoreKind::Launch) {
    result.chore = launchChore(choices);
    return result;
  }
  result.list = captureList(choices, mode);
  if (mode == BuildMode::Finish) result.newChores = choresMissingFrom(*result.list, library);
  return result;
}

}  // namespace tolvane
