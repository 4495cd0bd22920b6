#pragma once
// Every service an editor may use, faked, and the EditorContext over them;
// the library starts empty and the clock at Monday 7 December 2026, 10:00.
// Link the editor under test (it brings tolvane_editors).

#include "editors/editor_context.h"
#include "support/fake_desktop.h"
#include "support/fake_files.h"
#include "support/fake_key_names.h"
#include "support/fake_prompts.h"
#include "support/fake_registry.h"
#include "support/fake_time.h"
#include "support/fake_window_actions.h"
#include "support/recording_log_sink.h"

namespace tolvane::test {

class FakeProcesses : public Processes {
 public:
  bool isProcessRunning(std::u16string_view) override { return false; }
};

class FakeChoreTrials : public ChoreTrials {
 public:
  bool runChore(const Chore&) override { return true; }
  bool startList(const ChoreList&) override { return true; }
  bool listRunning() override { return false; }
  void stopList() override {}
};

struct FakeEditorServices {
  ChoreLibrary library;
  LibraryQueries queries{library};
  Settings settings;
  FakeKeyNames keyNames;
  FakePrompts prompts;
  FakeTime time{LocalTime{2026, 12, 7, 10, 0, 0, 1}};
  RecordingLogSink log{&time};
  FakeDesktop desktop;
  FakeWindowActions windows;
  FakeAccessibility accessibility;
  FakeProcesses processes;
  FakeRegistry registry;
  FakeFiles files;
  KeyCapture capture;
  FakeChoreTrials trials;
  EditorContext context{queries,  settings, keyNames, prompts,  log,   time,    desktop, windows,
                        accessibility, processes, registry, files, capture, trials};
};

}  // namespace tolvane::test
