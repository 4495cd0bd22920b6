#include "editors/wizard/captured_steps.h"

#include "base/format.h"
#include "platform/window_actions.h"

namespace tolvane {
namespace {

constexpr char16_t kSendCommandVerb[] = u"Send a menu or button command";
constexpr char16_t kDoNothingVerb[] = u"Do nothing";

constexpr std::uint16_t kVirtualKeyTab = 0x09;
constexpr std::uint16_t kVirtualKeyEnter = 0x0D;
constexpr std::uint16_t kMessageCommand = 0x0111;       // WM_COMMAND
constexpr std::uint16_t kSysCommandKeyMenu = 0xF100;

// The program gets a moment to act on these before the next key arrives.
bool needsPause(const CapturedKey& key) {
  return key.modifiers != 0 || key.virtualKey == kVirtualKeyEnter || key.virtualKey == kVirtualKeyTab;
}

Chore keyChore(const CapturedKey& key, const std::u16string& keyName, bool startMenuMode, std::int32_t defaultDelay) {
  Chore chore;
  chore.name = std::u16string(kWizardChorePrefix) + keyName;
  chore.verb = kSendCommandVerb;
  chore.type = CHORE_WNDMSG;
  chore.menuSimKey = {key.virtualKey, key.modifiers};
  chore.keyRepeat = 1;
  chore.hitEnter = false;
  chore.wndMsg = static_cast<std::uint16_t>(startMenuMode ? kMessageSysCommand : kMessageCommand);
  chore.notifyCode = startMenuMode ? kSysCommandKeyMenu : 0;
  if (needsPause(key)) {
    chore.compType = DELAY;
    chore.compData = formatText(u"%d", defaultDelay);
  }
  return chore;
}

}  // namespace

Chore delayTemplate(std::int32_t defaultDelay) {
  Chore chore;
  chore.name = u"_Wiz+Delay";
  chore.verb = kDoNothingVerb;
  chore.type = CHORE_NOTHING;
  chore.compType = DELAY;
  chore.compData = formatText(u"%d", defaultDelay);
  return chore;
}

Chore windowCreatedTemplate() {
  Chore chore;
  chore.name = u"_Wiz+WndCreated";
  chore.verb = kDoNothingVerb;
  chore.type = CHORE_NOTHING;
  chore.compType = WND_CREATED;
  return chore;
}

Chore startMenuOpener() {
  Chore chore;
  chore.verb = kSendCommandVerb;
  chore.type = CHORE_WNDMSG;
  chore.procName = u"Explorer.exe";
  chore.mainWndCls = u"Progman";
  chore.mainWndTxt = u"Program Manager";
  chore.wndMsg = static_cast<std::uint16_t>(kMessageSysCommand);
  chore.notifyCode = kSysCommandTaskList;
  chore.compType = DELAY;
  chore.compData = u"1";
  return chore;
}

CapturedSteps buildCapturedSteps(const std::vector<CapturedKey>& keys, bool startMenuMode, std::int32_t defaultDelay,
                                 KeyNames& keyNames, LogSink& log) {
  CapturedSteps built;
  std::u16string previousTitle;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const CapturedKey& key = keys[i];
    log.debug(formatText(u"Captured keys: i=%d, key=%02.2x, prevwnd=%s, wnd=%s", static_cast<int>(i), key.virtualKey,
                         previousTitle, key.windowTitle));
    if (!key.windowTitle.empty() && key.windowTitle != previousTitle) {
      Chore waitForWindow = windowCreatedTemplate();
      waitForWindow.compData = key.windowTitle;
      built.steps.push_back(std::move(waitForWindow));
      built.steps.push_back(delayTemplate(defaultDelay));
    }
    previousTitle = key.windowTitle;
    const std::u16string keyName = keyNames.keyName(HotKeyCode{key.virtualKey, key.modifiers}.controlValue());
    built.keystrokeText = built.keystrokeText.empty() ? keyName : formatText(u"%s, %s", built.keystrokeText, keyName);
    built.steps.push_back(keyChore(key, keyName, startMenuMode, defaultDelay));
  }
  return built;
}

}  // namespace tolvane
