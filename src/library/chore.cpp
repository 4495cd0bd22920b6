#include "library/chore.h"

#include <tuple>

namespace tolvane {
namespace {

auto storedFields(const Chore& c) {
  return std::tie(c.name, c.verb, c.type, c.object, c.startNew, c.cmdArgs, c.initialDir, c.procName, c.mainWndCls,
                  c.mainWndTxt, c.partialMatch, c.wndMsg, c.wParam, c.lParam, c.winPos, c.notifyCode, c.ctrlWndCls,
                  c.ctrlWndTxt, c.menuOption, c.menuID, c.menuSimKey, c.keyRepeat, c.hitEnter, c.newWindow, c.fileOp,
                  c.siteName, c.hotKey, c.compType, c.compData, c.hotKeyChore, c.timeout, c.continueOnTimeout,
                  c.stepPartialMatch);
}

}  // namespace

void Chore::takeStepFields(const Chore& step) {
  compType = step.compType;
  compData = step.compData;
  completionEvent = step.completionEvent;
  hotKeyChore = step.hotKeyChore;
  timeout = step.timeout;
  continueOnTimeout = step.continueOnTimeout;
  stepPartialMatch = step.stepPartialMatch;
}

bool operator==(const Chore& a, const Chore& b) { return storedFields(a) == storedFields(b); }

}  // namespace tolvane
