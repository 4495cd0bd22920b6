#pragma once
// A chore list: ordered steps (each a copy of a chore plus its completion
// condition) and the schedule on which the list starts by itself.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "library/chore.h"
#include "library/hot_key_code.h"

namespace tolvane {

class Event;

struct ChoreSchedule {
  bool runWindows = false;
  bool hasRunTimeOfDay = false;
  bool runEveryday = false;
  bool hasRunDate = false;
  std::u16string runDayOfWeek;
  std::int64_t runTimeOfDay = 0;  // only hour, minute and second count
  std::int64_t runDate = 0;       // local midnight of the day
  std::int32_t runPostDelay = 0;
  std::int32_t runRepeatCount = 0;
  std::u16string nextChorelist;
  bool alwaysRun = false;
  // A start time missed by more than a minute (the machine slept, the clock
  // was set past it, Tolvane was not running) runs the list once, late,
  // instead of being skipped.
  bool runMissed = false;

  friend bool operator==(const ChoreSchedule&, const ChoreSchedule&) = default;
};

// Identity of a list for as long as the program runs, whatever happens to
// the library's order: running lists and the scheduler hold on to it.
using ChoreListId = std::uint64_t;

struct ChoreList {
  // Run-time fields, never stored.
  bool inProgress = false;
  bool abortRequested = false;
  std::shared_ptr<Event> termEvent;
  std::int32_t currentStep = 0;
  ChoreListId id = 0;  // given by the library when the list is added
  // The run under way: its steps, each WAIT_HOTKEY step with the event it
  // waits on, and the name its kernel objects carry. An edit while the list
  // runs changes the stored fields for its next run and leaves these alone.
  std::vector<Chore> runSteps;
  std::u16string runName;

  std::u16string name;
  HotKeyCode hotKey;
  std::vector<Chore> steps;
  ChoreSchedule schedule;

  // Stored fields only.
  friend bool operator==(const ChoreList& a, const ChoreList& b) {
    return a.name == b.name && a.hotKey == b.hotKey && a.steps == b.steps && a.schedule == b.schedule;
  }
};

}  // namespace tolvane
