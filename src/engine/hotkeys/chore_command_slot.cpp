#include "engine/hotkeys/chore_command_slot.h"

#include <utility>

namespace tolvane {

void ChoreCommandSlot::runChore(Chore chore) {
  {
    std::scoped_lock lock(mutex_);
    if (exit_) return;
    chore_ = std::move(chore);
    command_ = kCommandDoChore;
  }
  if (choreEvent_) choreEvent_->set();
}

void ChoreCommandSlot::postCommand(std::u16string_view command) {
  {
    std::scoped_lock lock(mutex_);
    if (exit_) return;
    command_ = command;
    if (command == kCommandExit) exit_ = true;
  }
  if (choreEvent_) choreEvent_->set();
}

void ChoreCommandSlot::requestExit() {
  {
    std::scoped_lock lock(mutex_);
    exit_ = true;
    command_ = kCommandExit;
    chore_.reset();
  }
  if (choreEvent_) choreEvent_->set();
  if (schedulerEvent_) schedulerEvent_->set();
}

bool ChoreCommandSlot::exitRequested() const {
  std::scoped_lock lock(mutex_);
  return exit_;
}

TakenCommand ChoreCommandSlot::take() {
  std::scoped_lock lock(mutex_);
  if (exit_) return {std::u16string(kCommandExit), std::nullopt};
  TakenCommand taken{std::move(command_), std::move(chore_)};
  command_.clear();
  chore_.reset();
  return taken;
}

}  // namespace tolvane
