#pragma once
// An executor wired to fakes of every platform service it uses.

#include <atomic>
#include <optional>
#include <string>

#include "engine/executor/chore_executor.h"
#include "support/fake_clipboard.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard_input.h"
#include "support/fake_prompts.h"
#include "support/fake_registry.h"
#include "support/fake_shell_actions.h"
#include "support/fake_sounds.h"
#include "support/fake_time.h"
#include "support/fake_window_actions.h"

namespace tolvane::test {

class FakeProcessList : public Processes {
 public:
  std::vector<std::u16string> running;
  bool isProcessRunning(std::u16string_view namePart) override {
    for (const auto& name : running)
      if (name.find(namePart) != std::u16string::npos) return true;
    return false;
  }
};

class FakeCompanion : public Companion {
 public:
  bool loaded = true;
  std::optional<bool> bhoUp = true;
  std::optional<bool> validated = false;
  std::optional<std::u16string> error = u"";
  std::vector<std::u16string> folders;
  // How the command thread answers a folder command: after this many polls
  // (none: never), navigating a window or finding none.
  std::optional<int> pollsUntilTaken = 0;
  bool findsWindow = true;
  mutable int polls = 0;
  bool withdrawn = false;
  std::vector<std::pair<std::u16string, std::u16string>> keyruneCommands;

  bool canGotoFolder() const override { return loaded; }
  CompanionSendResult gotoFolder(std::u16string_view folder) override {
    folders.emplace_back(folder);
    polls = 0;
    return {true, false};
  }
  std::optional<bool> isBhoUp() const override { return loaded ? bhoUp : std::nullopt; }
  std::optional<bool> isCmdReady() const override {
    if (!loaded) return std::nullopt;
    if (folders.empty() || withdrawn) return true;
    if (!pollsUntilTaken || polls++ < *pollsUntilTaken) return false;
    if (!findsWindow) const_cast<FakeCompanion*>(this)->bhoUp = false;
    return true;
  }
  void withdrawCommand() override { withdrawn = true; }
  std::optional<bool> kyrValidated() const override { return loaded ? validated : std::nullopt; }
  std::optional<std::u16string> kyrError() const override { return loaded ? error : std::nullopt; }
  CompanionSendResult sendKeyruneCommand(std::u16string_view site, std::u16string_view command) override {
    keyruneCommands.emplace_back(site, command);
    return {loaded, false};
  }
  void setDebugLogging(bool) override {}
  void setMaxLogSize(std::int32_t) override {}
};

inline constexpr WindowHandle kTolvaneWindow = 0x77;

struct ExecutorFixture {
  RecordingLog log;
  FakeShellActions shell;
  FakeDesktop desktop;
  FakeWindowActions windows;
  FakeKeyboardInput keyboard;
  FakeClipboard clipboard;
  FakeSounds sounds;
  FakePrompts prompts;
  FakeTime time{LocalTime{2026, 12, 7, 9, 0, 0, 1, 0}};
  FakeAccessibility accessibility;
  FakeProcessList processes;
  FakeRegistry registry;
  FakeCompanion companion;
  int watchStarts = 0;
  std::atomic<bool> hotKeysEnabled{true};
  LastFolder lastFolder;
  std::atomic<WindowHandle> mainWindow{kTolvaneWindow};

  ChoreExecutor executor{ExecutorServices{log, shell, desktop, windows, keyboard, clipboard, sounds, prompts, time,
                                          accessibility, processes, registry, companion, [this] { ++watchStarts; },
                                          hotKeysEnabled, lastFolder, mainWindow}};

  bool execute(const Chore& chore) {
    log.activityLines.clear();
    return executor.executeChore(chore);
  }
  // The one activity line the chore wrote, with its error mark.
  std::u16string line() const { return log.activityLines.size() == 1 ? log.activityLines[0].text : u"<not one line>"; }
  bool lineIsError() const { return !log.activityLines.empty() && log.activityLines[0].isError; }
};

inline Chore choreOf(std::int32_t type, std::u16string name = u"C") {
  Chore chore;
  chore.name = std::move(name);
  chore.type = type;
  return chore;
}

}  // namespace tolvane::test
