#pragma once
// What a running chore list needs, on the real platform: the executor, the
// desktop's windows, files, the clipboard, a question box without owner,
// the beep and the launcher for the next list.

#include <functional>

#include "engine/runner/runner_services.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/sounds.h"

namespace tolvane::win32 {

struct RunnerPlatform {
  std::function<bool(const Chore&)> executeChore;
  Desktop& desktop;
  Files& files;
  Clipboard& clipboard;
  Prompts& prompts;  // ownerless: a list's question must not hang off the main window
  Sounds& sounds;
  std::function<void(std::u16string_view)> launchChoreList;
};

class PlatformRunnerServices final : public RunnerServices {
 public:
  explicit PlatformRunnerServices(RunnerPlatform platform) : p_(std::move(platform)) {}

  bool executeChore(const Chore& chore) override { return p_.executeChore(chore); }
  bool windowExists(std::u16string_view title, bool partialMatch, bool activate) override;
  bool fileExists(std::u16string_view path) override { return p_.files.fileExists(path) || p_.files.folderExists(path); }
  std::u16string clipboardText() override { return p_.clipboard.readText(); }
  void clearClipboard() override { p_.clipboard.clear(); }
  bool askYesNo(std::u16string_view question, std::u16string_view caption) override {
    return p_.prompts.askYesNo(question, caption);
  }
  void beep() override { p_.sounds.beep(); }
  void launchChoreList(std::u16string_view name) override { p_.launchChoreList(name); }
  // Named without the hot-key control: a list's thread must not depend on
  // a window of the user-interface thread.
  std::u16string hotKeyText(HotKeyCode key) override;

 private:
  RunnerPlatform p_;
};

}  // namespace tolvane::win32
