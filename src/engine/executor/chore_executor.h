#pragma once
// Carries out one chore once and writes the one activity line that says
// whether it was done. Runs on the calling thread (the chore thread, a
// chore-list thread or the wizard's trial) and may block it.

#include <atomic>
#include <functional>

#include "engine/executor/last_folder.h"
#include "library/chore.h"
#include "platform/accessibility.h"
#include "platform/clipboard.h"
#include "platform/companion.h"
#include "platform/desktop.h"
#include "platform/keyboard_input.h"
#include "platform/log_sink.h"
#include "platform/processes.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/shell_actions.h"
#include "platform/sounds.h"
#include "platform/sync.h"
#include "platform/window_actions.h"

namespace tolvane {

// Keyrune+ answers a surf or logon command within this time.
inline constexpr std::uint32_t kKeyruneAnswerMs = 700;

// The companion's command thread takes a command within moments; one not
// taken in this time is taken back.
inline constexpr std::uint32_t kCompanionTakeMs = 3000;
inline constexpr std::uint32_t kCompanionPollMs = 10;

// Capacities of the companion's text fields the executor writes.
inline constexpr std::size_t kFolderNameCapacity = 260;
inline constexpr std::size_t kSiteCapacity = 64;

struct ExecutorServices {
  LogSink& log;
  ShellActions& shell;
  Desktop& desktop;
  WindowActions& windows;
  KeyboardInput& keyboard;
  Clipboard& clipboard;
  Sounds& sounds;
  Prompts& prompts;
  Sync& sync;
  Accessibility& accessibility;
  Processes& processes;
  Registry& registry;
  Companion& companion;
  // OnBnClickStartWatch: makes sure an Explorer window hosts the companion.
  std::function<void()> startWatch;
  std::atomic<bool>& hotKeyProcessingEnabled;
  LastFolder& lastFolder;
  // The main program's own window: keystrokes are never typed into it.
  std::atomic<WindowHandle>& mainWindow;
};

class ChoreExecutor {
 public:
  explicit ChoreExecutor(ExecutorServices services) : s_(std::move(services)) {}

  bool executeChore(const Chore& chore);

 private:
  bool dispatch(const Chore& chore);
  bool unknownType(const Chore& chore);
  bool explore(const Chore& chore);
  bool companionOpened(std::u16string_view folder);
  bool run(const Chore& chore);
  bool openOrPrint(const Chore& chore);
  bool fileOperation(const Chore& chore);
  bool windowOperation(const Chore& chore);
  bool windowMessage(const Chore& chore);
  bool writeClipboard(const Chore& chore);
  bool surfOrLogon(const Chore& chore);

  bool done(std::u16string_view line);
  bool notDone(std::u16string_view line);

  ExecutorServices s_;
};

}  // namespace tolvane
