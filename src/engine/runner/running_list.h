#pragma once
// The record a running chore list reads and writes its run-time fields in.
// A library list is found by its identity at every access, so sorting,
// adding or deleting lists while it runs never points it at another list;
// the wizard's trial list lives in the wizard's own record.

#include <functional>
#include <mutex>

#include "library/chore_library.h"
#include "library/chore_list.h"

namespace tolvane {

class RunningListRecord {
 public:
  virtual ~RunningListRecord() = default;

  // Runs f on the record under its owner's lock; false when the record is
  // gone (a library list deleted while it ran).
  virtual bool update(const std::function<void(ChoreList&)>& f) = 0;

  // Library lists show their progress in the main window; the trial list
  // does not.
  virtual bool isLibraryList() const = 0;
};

class LibraryListRecord final : public RunningListRecord {
 public:
  LibraryListRecord(ChoreLibrary& library, ChoreListId id) : library_(library), id_(id) {}
  bool update(const std::function<void(ChoreList&)>& f) override { return library_.withChoreList(id_, f); }
  bool isLibraryList() const override { return true; }

 private:
  ChoreLibrary& library_;
  const ChoreListId id_;
};

// The chore wizard's own list, outside the library, with its own lock. The
// wizard's trial run hands this record to the runner where a library list
// hands its identity, so no reserved number (2248) can collide with a
// library list.
class TrialListRecord final : public RunningListRecord {
 public:
  bool update(const std::function<void(ChoreList&)>& f) override {
    std::scoped_lock lock(mutex_);
    f(list_);
    return true;
  }
  bool isLibraryList() const override { return false; }

 private:
  std::mutex mutex_;
  ChoreList list_;
};

}  // namespace tolvane
