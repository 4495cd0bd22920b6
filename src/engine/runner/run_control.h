#pragma once
// The shared state of one run as its waits see it: the services, the log,
// and the stop request that every check reads from the list's record.

#include <string>

#include "engine/runner/chore_list_runner.h"

namespace tolvane {

class RunControl {
 public:
  RunControl(const RunnerContext& context, RunningListRecord& record, std::u16string listName)
      : context_(context), record_(record), listName_(std::move(listName)) {}

  const RunnerContext& context() const { return context_; }
  RunnerServices& services() const { return context_.services; }
  Sync& sync() const { return context_.sync; }
  LogSink& log() const { return context_.log; }
  RunningListRecord& record() const { return record_; }
  const std::u16string& listName() const { return listName_; }

  // A list deleted while it runs counts as stopped.
  bool abortRequested() const {
    bool requested = true;
    record_.update([&](ChoreList& list) { requested = list.abortRequested; });
    return requested;
  }

  void requestAbort() const {
    record_.update([](ChoreList& list) { list.abortRequested = true; });
  }

 private:
  const RunnerContext& context_;
  RunningListRecord& record_;
  const std::u16string listName_;
};

}  // namespace tolvane
