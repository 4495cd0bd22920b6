#include "engine/executor/chore_executor.h"

#include <array>

#include "base/format.h"
#include "engine/executor/keystroke_sender.h"
#include "engine/executor/shortcut_target.h"
#include "engine/targeting/menu_commands.h"
#include "engine/targeting/window_matching.h"
#include "library/chore_actions.h"
#include "library/settings/settings_store.h"
#include "protocol/command_words.h"

namespace tolvane {

namespace {

constexpr std::array<std::u16string_view, 4> kFileOpNames = {u"Copy", u"Move", u"Delete", u"Rename"};
constexpr std::array<ShellFileOp, 4> kFileOps = {ShellFileOp::Copy, ShellFileOp::Move, ShellFileOp::Delete,
                                                 ShellFileOp::Rename};

}  // namespace

bool ChoreExecutor::done(std::u16string_view line) {
  s_.log.activity(line, false);
  return true;
}

bool ChoreExecutor::notDone(std::u16string_view line) {
  s_.log.activity(line, true);
  return false;
}

bool ChoreExecutor::executeChore(const Chore& chore) {
  const bool result = dispatch(chore);
  if (!result) s_.sounds.beep();
  return result;
}

bool ChoreExecutor::dispatch(const Chore& chore) {
  const ChoreAction* action = choreActionOf(chore.type);
  if (action && action->needsTarget() && chore.object.empty()) return unknownType(chore);
  switch (chore.type) {
    case CHORE_EXPLORE:
      return explore(chore);
    case CHORE_RUN:
      return run(chore);
    case CHORE_OPEN:
    case CHORE_PRINT:
      return openOrPrint(chore);
    case CHORE_FILEOP:
      return fileOperation(chore);
    case CHORE_WINOP:
      return windowOperation(chore);
    case CHORE_WNDMSG:
      return windowMessage(chore);
    case CHORE_NOTHING:
      return done(formatText(u"Chore done: %s, CHORE_NOTHING.", chore.name));
    case CHORE_CLIPBOARD:
      return writeClipboard(chore);
    case CHORE_SURF:
    case CHORE_LOGON:
      return surfOrLogon(chore);
    default:
      return unknownType(chore);
  }
}

bool ChoreExecutor::unknownType(const Chore& chore) {
  return notDone(formatText(u"Chore not done: %s, Unknown type:%d", chore.name, chore.type));
}

bool ChoreExecutor::explore(const Chore& chore) {
  if (s_.startWatch) s_.startWatch();
  // A companion whose command thread is not up (no Explorer hosts it) would
  // take the command and navigate nothing, and a folder longer than its
  // field would arrive cut: the shell opens those instead.
  const std::optional<bool> bhoUp = s_.companion.isBhoUp();
  const bool useCompanion = s_.companion.canGotoFolder() && chore.newWindow == 0 && bhoUp.value_or(true) &&
                            chore.object.size() < kFolderNameCapacity;
  bool result = true;
  if (useCompanion && companionOpened(chore.object)) {
    done(formatText(u"Chore done: %s, CHORE_EXPLORE:%s", chore.name, chore.object));
  } else {
    const std::intptr_t code = s_.shell.execute(u"explore", chore.object, u"", u"");
    if (code <= 32) {
      result = notDone(formatText(u"Chore not done: %s, CHORE_EXPLORE:%s errCode:%d", chore.name, chore.object,
                                  static_cast<std::int64_t>(code)));
    } else {
      done(formatText(u"Chore done: %s, CHORE_EXPLORE:%s", chore.name, chore.object));
    }
  }
  s_.lastFolder.set(chore.object);
  return result;
}

// The companion navigates on its own threads; whether it could is known
// once its command thread has taken the command, since one that found no
// window to navigate stops claiming to be up. A command not taken in time
// is taken back, so that the folder does not open twice.
bool ChoreExecutor::companionOpened(std::u16string_view folder) {
  s_.companion.gotoFolder(folder);
  s_.log.debug(u"sent gotoFolder cmd to TolvaneBho.");
  for (std::uint32_t waited = 0; s_.companion.isCmdReady() == false; waited += kCompanionPollMs) {
    if (waited >= kCompanionTakeMs) {
      s_.companion.withdrawCommand();
      s_.log.debug(u"TolvaneBho did not take the gotoFolder cmd; the shell opens the folder.");
      return false;
    }
    s_.sync.sleep(kCompanionPollMs);
  }
  if (s_.companion.isBhoUp().value_or(true)) return true;
  s_.log.debug(u"TolvaneBho found no Explorer window to navigate; the shell opens the folder.");
  return false;
}

bool ChoreExecutor::run(const Chore& chore) {
  const bool shortcut = isShortcutPath(chore.object);
  if (!chore.startNew) {
    const RunningInstanceKey key = runningInstanceKey(s_.shell, s_.log, chore.object);
    if (const auto window = findRunningInstance(s_.desktop.mainWindows(), key)) {
      s_.desktop.bringToForeground(*window);
      return done(formatText(u"Chore done: %s, CHORE_RUN:%s", chore.name, chore.object));
    }
  }
  // A shortcut carries its own arguments and folder.
  const std::intptr_t code = shortcut ? s_.shell.execute(u"", chore.object, u"", u"")
                                      : s_.shell.execute(u"open", chore.object, chore.cmdArgs, chore.initialDir);
  if (code <= 32) {
    return notDone(formatText(u"Chore not done: %s, CHORE_RUN:%s errCode:%d", chore.name, chore.object,
                              static_cast<std::int64_t>(code)));
  }
  return done(formatText(u"Chore done: %s, CHORE_RUN:%s", chore.name, chore.object));
}

bool ChoreExecutor::openOrPrint(const Chore& chore) {
  const bool print = chore.type == CHORE_PRINT;
  const std::u16string_view label = print ? u"CHORE_PRINT" : u"CHORE_RUN";
  const std::intptr_t code = s_.shell.execute(print ? u"print" : u"open", chore.object, u"", u"");
  if (code <= 32) {
    return notDone(formatText(u"Chore not done: %s, %s:%s errCode:%d", chore.name, label, chore.object,
                              static_cast<std::int64_t>(code)));
  }
  return done(formatText(u"Chore done: %s, %s:%s", chore.name, label, chore.object));
}

bool ChoreExecutor::fileOperation(const Chore& chore) {
  const FileOperation& op = chore.fileOp;
  const bool known = op.fileOpType >= 0 && op.fileOpType < static_cast<std::int32_t>(kFileOps.size());
  const std::u16string opName =
      known ? std::u16string(kFileOpNames[static_cast<std::size_t>(op.fileOpType)]) : formatText(u"%d", op.fileOpType);
  const std::u16string notDoneLine = formatText(u"Chore not done: %s, %s:%s", chore.name, u"CHORE_FILEOP", opName);

  ShellFileOperation request;
  request.operation = known ? kFileOps[static_cast<std::size_t>(op.fileOpType)] : ShellFileOp::None;
  request.sources = op.fileOpSource;
  request.destination = op.fileOpDest;
  request.flags = kFileOpFilesOnly | kFileOpSimpleProgress;
  if (!op.fileOpConfirm) request.flags |= kFileOpNoConfirmation | kFileOpNoConfirmMkdir;

  if (op.fileOpConfirm) {
    const std::u16string question = formatText(u"Chore: %s\n%s: %s is about to be done.\nDo you wish to proceed?",
                                               chore.name, u"CHORE_FILEOP", opName);
    if (!s_.prompts.askYesNo(question, u"Tolvane Warning!")) return notDone(notDoneLine);
  }
  // An operation the shell has no code for, or one with nothing to act on,
  // would fail in the shell or act on a stray path.
  if (!known || request.sources.empty()) return notDone(notDoneLine);
  if (s_.shell.fileOperation(request) != 0) return notDone(notDoneLine);
  return done(formatText(u"Chore done: %s, %s:%s", chore.name, u"CHORE_FILEOP", opName));
}

bool ChoreExecutor::windowOperation(const Chore& chore) {
  WindowTarget main{chore.mainWndTxt, chore.mainWndCls};
  WindowTarget control{chore.ctrlWndTxt, chore.ctrlWndCls};
  if (!findTargetWindow(s_.desktop, main, control, chore.partialMatch)) {
    return notDone(formatText(u"Chore was not done: %s, CHORE_WINOP window not found:%s", chore.name, chore.mainWndTxt));
  }
  if (chore.notifyCode == WINOP_POSITION) {
    if (!chore.winPos || chore.winPos->isInvalid()) {
      return notDone(formatText(u"Chore was not done: %s, CHORE_WINOP invalid window position.", chore.name));
    }
    const WindowPosition& pos = *chore.winPos;
    if (s_.windows.isMinimized(main.window)) s_.windows.restore(main.window);
    s_.windows.place(main.window, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top);
    s_.desktop.bringToForeground(main.window);
  } else {
    s_.windows.postMessage(main.window, kMessageSysCommand, chore.notifyCode, 0);
  }
  return done(formatText(u"Chore done: %s, CHORE_WINOP:%s", chore.name, chore.mainWndTxt));
}

bool ChoreExecutor::windowMessage(const Chore& chore) {
  WindowTarget main{chore.mainWndTxt, chore.mainWndCls};
  WindowTarget control{chore.ctrlWndTxt, chore.ctrlWndCls};
  const bool found = findTargetWindow(s_.desktop, main, control, chore.partialMatch);
  const bool keystrokes = chore.menuSimKey.virtualKey != 0;
  if (!found && !keystrokes) {
    return notDone(formatText(u"Chore was not done: %s, CHORE_WNDMSG window not found: %s", chore.name, chore.mainWndTxt));
  }
  if (found) s_.desktop.bringToForeground(main.window);

  if (keystrokes) {
    if (!found && s_.windows.foregroundWindow() == s_.mainWindow.load()) {
      return notDone(formatText(u"Chore not done: %s, keystrokes not sent due to Tolvane being in the foreground!",
                                chore.name));
    }
    waitForModifierRelease(s_.keyboard, s_.sync);
    sendKeystrokes(s_.keyboard, s_.hotKeyProcessingEnabled, chore.menuSimKey,
                   static_cast<std::uint32_t>(chore.keyRepeat < 0 ? 0 : chore.keyRepeat), chore.hitEnter);
    return done(formatText(u"Chore done: %s, CHORE_WNDMSG KeyCodeSim %02.2x", chore.name, chore.menuSimKey.virtualKey));
  }

  if (chore.menuID == kMenuIdAccessible) {
    const MenuInvokeResult invoked = invokeMenuItem(s_.accessibility, main.window, chore.menuOption);
    if (!invoked.invoked) {
      return notDone(formatText(u"Chore was not done: %s, invoke failed for menu: %s, errCode: %08.8x", chore.name,
                                chore.menuOption, invoked.code));
    }
    return done(formatText(u"Chore done: %s, CHORE_WNDMSG to menu: %s", chore.name, chore.menuOption));
  }

  if (chore.menuID != 0) {
    s_.windows.postMessage(main.window, chore.wndMsg, static_cast<std::uint32_t>(chore.menuID) & 0xFFFF, 0);
  } else if (!chore.ctrlWndTxt.empty()) {
    // As a parent hears from a button: notification code high, control id low.
    const std::uintptr_t wParam = (static_cast<std::uintptr_t>(chore.notifyCode) << 16) |
                                  (static_cast<std::uint32_t>(control.controlId) & 0xFFFF);
    s_.windows.postMessage(main.window, chore.wndMsg, wParam, static_cast<std::intptr_t>(control.window));
  } else {
    s_.windows.postMessage(main.window, chore.wndMsg, chore.notifyCode, 0);
  }
  return done(formatText(u"Chore done: %s, CHORE_WNDMSG to window: %s", chore.name, chore.menuOption));
}

bool ChoreExecutor::writeClipboard(const Chore& chore) {
  const ClipboardWriteResult written = s_.clipboard.writeText(chore.siteName);
  std::u16string failure;
  switch (written.outcome) {
    case ClipboardWrite::Written:
      return done(formatText(u"Chore done: %s, CHORE_NOTHING.", chore.name));
    case ClipboardWrite::NotOpened:
      failure = u"Failed to open the clipboard.";
      break;
    case ClipboardWrite::NoMemory:
      failure = formatText(u"Failed to allocate memory for the clipboard text: error %08.8x.", written.error);
      break;
    case ClipboardWrite::NotPlaced:
      failure = formatText(u"Failed to put the text on the clipboard: error %08.8x.", written.error);
      break;
  }
  s_.prompts.showError(failure, u"Tolvane");
  // The text never reached the clipboard, so the chore is not done.
  return notDone(formatText(u"Chore not done: %s, %s", chore.name, failure));
}

bool ChoreExecutor::surfOrLogon(const Chore& chore) {
  const bool surf = chore.type == CHORE_SURF;
  if (!isKeyruneInstalled(s_.registry)) {
    return notDone(formatText(u"Chore was not done: %s, Keyrune+ is not %s.", chore.name, u"installed"));
  }
  if (!isKeyruneRunning(s_.processes)) {
    return notDone(formatText(u"Chore was not done: %s, Keyrune+ is not %s.", chore.name, u"running"));
  }
  if (!s_.companion.kyrValidated().value_or(false)) {
    return notDone(formatText(u"Chore was not done: %s, master key has not been validated.", chore.name));
  }
  // A cut site name would send Keyrune+ somewhere else.
  if (chore.siteName.size() >= kSiteCapacity) {
    return notDone(formatText(u"Chore was not done: %s, site name is too long.", chore.name));
  }
  s_.companion.sendKeyruneCommand(chore.siteName, surf ? protocol::kGotoUrl : protocol::kLogon);
  s_.sync.sleep(kKeyruneAnswerMs);
  const std::u16string error = s_.companion.kyrError().value_or(u"");
  if (!error.empty()) return notDone(formatText(u"Chore was not done: %s, %s.", chore.name, error));
  return done(formatText(u"Chore done: %s, %s to %s.", chore.name, surf ? u"CHORE_SURF" : u"CHORE_LOGON",
                         chore.siteName));
}

}  // namespace tolvane
