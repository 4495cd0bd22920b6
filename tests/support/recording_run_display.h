#pragma once
// A run display that records its calls as short lines, for runner and
// scheduler tests alike.

#include <mutex>
#include <string>
#include <vector>

#include "base/text.h"
#include "engine/runner/run_display.h"

namespace tolvane::test {

class RecordingRunDisplay final : public RunDisplay {
 public:
  void listStarted(std::u16string_view name) override { add("started " + toUtf8(name)); }
  void stepStarted(std::u16string_view name, int step) override { add("step " + toUtf8(name) + " " + std::to_string(step)); }
  void listEnded(const ChoreList& list) override { add("ended " + toUtf8(list.name)); }
  void listPendingToday(std::u16string_view name) override { add("pending " + toUtf8(name)); }
  void listLaunchedBySchedule(std::u16string_view name) override { add("scheduled " + toUtf8(name)); }

  std::vector<std::string> calls() {
    std::scoped_lock lock(mutex_);
    return calls_;
  }

 private:
  void add(std::string call) {
    std::scoped_lock lock(mutex_);
    calls_.push_back(std::move(call));
  }
  std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace tolvane::test
