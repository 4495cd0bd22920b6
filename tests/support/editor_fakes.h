#pragma once
// Everything an editor may use, faked, and the context that hands it over.
// A view test under Wine swaps in the real desktop where it points at
// windows of its own.

#include <string_view>
#include <vector>

#include "editors/editor_context.h"
#include "library/chore_library.h"
#include "support/fake_desktop.h"
#include "support/fake_files.h"
#include "support/fake_key_names.h"
#include "support/fake_prompts.h"
#include "support/fake_registry.h"
#include "support/fake_time.h"
#include "support/fake_window_actions.h"

namespace tolvane::test {

class NoProcesses final : public Processes {
 public:
  bool isProcessRunning(std::u16string_view) override { return false; }
};

// Trials that record what they were given and never run anything.
class RecordingTrials final : public ChoreTrials {
 public:
  std::vector<Chore> chores;
  std::vector<ChoreList> lists;
  bool runChore(const Chore& chore) override;
  bool startList(const ChoreList& list) override;
  bool listRunning() override { return false; }
  void stopList() override {}
};

struct EditorFakes {
  ChoreLibrary library;
  LibraryQueries queries{library};
  Settings settings;
  FakeKeyNames keyNames;
  FakePrompts prompts;
  RecordingLog log;
  FakeTime time{LocalTime{2026, 6, 15, 12}};
  FakeDesktop desktop;
  FakeWindowActions windows;
  FakeAccessibility accessibility;
  NoProcesses processes;
  FakeRegistry registry;
  FakeFiles files;
  KeyCapture capture;
  RecordingTrials trials;

  EditorContext context() { return contextWith(desktop, windows, accessibility); }
  EditorContext contextWith(Desktop& someDesktop, WindowActions& someWindows, Accessibility& someAccessibility);
};

}  // namespace tolvane::test
