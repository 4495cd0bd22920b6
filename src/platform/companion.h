#pragma once
// The companion library as the main program uses it: the explore chores'
// folder command, the command thread's state, and the surf and logon
// exchange with Keyrune+. Every operation tolerates a missing export.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

struct CompanionSendResult {
  bool sent = false;
  // The text was longer than its field in the shared block and was cut.
  bool cut = false;
};

class Companion {
 public:
  virtual ~Companion() = default;

  // True when both exports of the folder command are there; without them
  // an explore chore does not use the companion at all.
  virtual bool canGotoFolder() const = 0;

  // Writes the folder and "gotoFolder", then wakes the command thread. It
  // neither waits for the command to be taken nor asks whether it can be.
  virtual CompanionSendResult gotoFolder(std::u16string_view folder) = 0;

  // Empty when the export is missing. A command thread that took a
  // "gotoFolder" and found no window to navigate is no longer up.
  virtual std::optional<bool> isBhoUp() const = 0;
  // True once no command waits for the command thread; empty when the
  // export is missing.
  virtual std::optional<bool> isCmdReady() const = 0;
  // Takes back a command the command thread has not taken.
  virtual void withdrawCommand() = 0;
  virtual std::optional<bool> kyrValidated() const = 0;
  virtual std::optional<std::u16string> kyrError() const = 0;

  // Writes the site and the command ("gotoUrl" or "logon") and wakes
  // Keyrune+; `cut` when the site did not fit.
  virtual CompanionSendResult sendKeyruneCommand(std::u16string_view site, std::u16string_view command) = 0;

  virtual void setDebugLogging(bool on) = 0;
  virtual void setMaxLogSize(std::int32_t megabytes) = 0;
};

}  // namespace tolvane
