#include "support/library_builders.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "library/chore_actions.h"

namespace tolvane::test {

Chore makeChore(std::u16string name, ChoreType type) {
  Chore chore;
  chore.name = std::move(name);
  chore.type = type;
  if (const ChoreAction* action = choreActionOf(type)) chore.verb = std::u16string(action->name);
  return chore;
}

int actionIndex(std::u16string_view name) {
  const auto actions = choreActions();
  for (std::size_t i = 0; i < actions.size(); ++i)
    if (actions[i].name == name) return static_cast<int>(i);
  ADD_FAILURE() << "no chore action " << toUtf8(name);
  return -1;
}

Chore exploreChore(std::u16string name, std::u16string folder) {
  Chore chore = makeChore(std::move(name), CHORE_EXPLORE);
  chore.object = std::move(folder);
  return chore;
}

Chore fullChore(std::u16string name) {
  Chore c = makeChore(std::move(name), CHORE_WINOP);
  c.object = u"C:\\Program Files\\A & B <x>\\app.exe";
  c.startNew = true;
  c.cmdArgs = u"/q \"quoted\" 'single'";
  c.initialDir = u"C:\\Work";
  c.procName = u"app.exe";
  c.mainWndCls = u"AppMainClass";
  c.mainWndTxt = u"Untitled - App";
  c.partialMatch = true;
  c.wndMsg = 0x0111;
  c.wParam = -5;
  c.lParam = 123456;
  c.notifyCode = WINOP_POSITION;
  c.winPos = WindowPosition{10, 20, 810, 620};
  c.ctrlWndCls = u"Button";
  c.ctrlWndTxt = u"&OK";
  c.menuOption = u"File\\Save &As...";
  c.menuID = kMenuIdAccessible;
  c.menuSimKey = {0x53, kHotKeyControl | kHotKeyShift};
  c.keyRepeat = 3;
  c.hitEnter = true;
  c.newWindow = 1;
  c.fileOp.fileOpType = FILEOP_MOVE;
  c.fileOp.fileOpDest = u"D:\\Archive";
  c.fileOp.fileOpConfirm = true;
  c.fileOp.fileOpSource = {u"C:\\a.txt", u"C:\\b <1>.txt"};
  c.siteName = u"https://example.com/?a=1&b=2";
  c.hotKey = {0x4B, kHotKeyControl | kHotKeyAlt};
  return c;
}

Chore makeStep(const Chore& chore, CompletionType compType, std::u16string compData) {
  Chore step = chore;
  step.compType = compType;
  step.compData = std::move(compData);
  return step;
}

ChoreList makeList(std::u16string name, std::vector<Chore> steps) {
  ChoreList list;
  list.name = std::move(name);
  list.steps = std::move(steps);
  return list;
}

LibraryContents benchmarkLibrary(int scale, const Clock& clock) {
  LibraryContents contents;
  const int chores = 1000 * scale;
  const int lists = 200 * scale;
  for (int i = 0; i < chores; ++i) {
    Chore chore = i % 3 == 0 ? fullChore(u"Chore " + toU16(std::to_string(i)))
                             : exploreChore(u"Explore " + toU16(std::to_string(i)), u"C:\\Users\\me\\Docs");
    contents.chores.push_back(std::move(chore));
  }
  for (int i = 0; i < lists; ++i) {
    ChoreList list = makeList(u"List " + toU16(std::to_string(i)));
    for (int s = 0; s < 10; ++s) {
      const Chore& chore = contents.chores[static_cast<std::size_t>((i * 10 + s) % chores)];
      list.steps.push_back(makeStep(chore, s % 2 ? DELAY : WND_CREATED, s % 2 ? u"2" : u"Docs - Explorer"));
    }
    list.schedule.hasRunTimeOfDay = i % 2 == 0;
    list.schedule.runTimeOfDay = clock.fromLocal(LocalTime{2026, 2, 2, 7, 30, 0, 0, 0});
    list.schedule.runDayOfWeek = u"Mon,Tue";
    contents.lists.push_back(std::move(list));
  }
  return contents;
}

}  // namespace tolvane::test
