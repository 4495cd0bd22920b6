#pragma once
// Tests that need the main program bound with debug logging on and one
// Explorer host that has loaded the library, in a stage of their own.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "companion_stage.h"
#include "host_process.h"

namespace tolvane::test {

struct CompanionWithExplorer : ::testing::Test {
  // Stops at the first step that fails; call it through
  // ASSERT_NO_FATAL_FAILURE.
  void startMainAndExplorer(const std::wstring& name) {
    stage = stageCompanion(name);
    ASSERT_FALSE(stage.folder.empty());
    clearDebugLog();
    main = std::make_unique<HostProcess>(stage.mainProgram);
    ASSERT_EQ(main->ask("bind"), "ok");
    ASSERT_EQ(main->ask("setflag setDebugLogging 1"), "ok");
    explorer = std::make_unique<HostProcess>(stage.explorer);
    ASSERT_EQ(explorer->ask("load"), "ok");
  }

  CompanionStage stage;
  std::unique_ptr<HostProcess> main;
  std::unique_ptr<HostProcess> explorer;
};

}  // namespace tolvane::test
