// Writes the sample chore files that Tolvane offers on a first start, with
// the program's own save code so that their bytes are canonical:
//   make_sample OUTPUT-FOLDER

#include <filesystem>
#include <iostream>

#include "base/text.h"
#include "library/chore_files.h"
#include "platform/system_clock.h"
#include "tools/posix/posix_files.h"

namespace tolvane {
namespace {

Chore exploreDocuments() {
  Chore chore;
  chore.name = u"Explore my Documents";
  chore.verb = u"Explore a folder";
  chore.type = CHORE_EXPLORE;
  chore.object = u"C:\\Users\\Public\\Documents";
  return chore;
}

Chore startNotepad() {
  Chore chore;
  chore.name = u"Start Notepad";
  chore.verb = u"Run a program or its shortcut";
  chore.type = CHORE_RUN;
  chore.object = u"notepad.exe";
  chore.startNew = true;
  return chore;
}

Chore minimiseNotepad() {
  Chore chore;
  chore.name = u"Minimise Notepad";
  chore.verb = u"Windows operation";
  chore.type = CHORE_WINOP;
  chore.mainWndCls = u"Notepad";
  chore.mainWndTxt = u"Notepad";
  chore.partialMatch = true;
  // The system command a window operation posts, as the editor writes it.
  chore.wndMsg = 274;
  chore.notifyCode = kWindowOpMinimize;
  return chore;
}

Chore copyGreeting() {
  Chore chore;
  chore.name = u"Copy a greeting";
  chore.verb = u"Write to clipboard";
  chore.type = CHORE_CLIPBOARD;
  chore.siteName = u"Hello from Tolvane!";
  return chore;
}

Chore pasteIntoNotepad() {
  Chore chore;
  chore.name = u"Paste into Notepad";
  chore.verb = u"Send a menu or button command";
  chore.type = CHORE_WNDMSG;
  chore.mainWndCls = u"Notepad";
  chore.mainWndTxt = u"Notepad";
  chore.partialMatch = true;
  chore.menuSimKey = {'V', kHotKeyControl};
  chore.keyRepeat = 1;
  return chore;
}

ChoreList notepadGreeting(const ChoreLibrary& library) {
  ChoreList list;
  list.name = u"Greet in Notepad";
  Chore start = library.copyChore(u"Start Notepad");
  start.compType = WND_CREATED;
  start.compData = u"Notepad";
  start.stepPartialMatch = true;
  start.timeout = 10;
  list.steps.push_back(start);
  list.steps.push_back(library.copyChore(u"Copy a greeting"));
  list.steps.push_back(library.copyChore(u"Paste into Notepad"));
  return list;
}

}  // namespace
}  // namespace tolvane

int main(int argc, char** argv) {
  using namespace tolvane;
  if (argc != 2) {
    std::cerr << "usage: make_sample OUTPUT-FOLDER\n";
    return 2;
  }
  ChoreLibrary library;
  for (Chore chore : {exploreDocuments(), startNotepad(), minimiseNotepad(), copyGreeting(), pasteIntoNotepad()}) {
    // With no key to simulate there is nothing to repeat: loading makes
    // it 0, so the file says 0.
    if (!chore.menuSimKey.isSet()) chore.keyRepeat = 0;
    library.appendChore(chore);
  }
  library.appendChoreList(notepadGreeting(library));

  PosixFiles files;
  SystemClock clock;
  std::error_code ignored;
  std::filesystem::create_directories(argv[1], ignored);
  std::u16string folder = toU16(argv[1]);
  if (!folder.empty() && folder.back() != u'/') folder += u'/';
  const ChoreFilesSaved saved = saveChoreFiles(library, files, clock, folder);
  if (!saved.chores || !saved.lists) {
    std::cerr << "make_sample: could not write the files into " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
