#include "engine/hotkeys/chore_command_slot.h"

#include <algorithm>
#include <utility>

namespace tolvane {

void ChoreCommandSlot::addReplaceable(TakenCommand command) {
  {
    std::scoped_lock lock(mutex_);
    if (exit_) return;
    std::erase_if(pending_, [](const Pending& pending) { return pending.replaceable; });
    pending_.push_back({std::move(command), true});
  }
  if (choreEvent_) choreEvent_->set();
}

void ChoreCommandSlot::runChore(Chore chore) {
  addReplaceable({std::u16string(kCommandDoChore), std::move(chore)});
}

bool ChoreCommandSlot::queueChore(Chore chore) {
  {
    std::scoped_lock lock(mutex_);
    if (exit_) return false;
    const auto queued = std::ranges::count_if(pending_, [](const Pending& pending) { return !pending.replaceable; });
    if (static_cast<std::size_t>(queued) >= kQueuedMax) return false;
    pending_.push_back({{std::u16string(kCommandDoChore), std::move(chore)}, false});
  }
  if (choreEvent_) choreEvent_->set();
  return true;
}

void ChoreCommandSlot::postCommand(std::u16string_view command) {
  if (command != kCommandExit) {
    addReplaceable({std::u16string(command), std::nullopt});
    return;
  }
  {
    std::scoped_lock lock(mutex_);
    exit_ = true;
    pending_.clear();
  }
  if (choreEvent_) choreEvent_->set();
}

void ChoreCommandSlot::requestExit() {
  {
    std::scoped_lock lock(mutex_);
    exit_ = true;
    pending_.clear();
  }
  if (choreEvent_) choreEvent_->set();
  if (schedulerEvent_) schedulerEvent_->set();
}

bool ChoreCommandSlot::exitRequested() const {
  std::scoped_lock lock(mutex_);
  return exit_;
}

TakenCommand ChoreCommandSlot::take() {
  TakenCommand taken;
  bool more = false;
  {
    std::scoped_lock lock(mutex_);
    if (exit_) return {std::u16string(kCommandExit), std::nullopt};
    if (pending_.empty()) return {};
    taken = std::move(pending_.front().command);
    pending_.pop_front();
    more = !pending_.empty();
  }
  if (more && choreEvent_) choreEvent_->set();
  return taken;
}

}  // namespace tolvane
