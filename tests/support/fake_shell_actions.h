#pragma once
// The shell in a test: records every request and answers as told.

#include <map>
#include <string>
#include <vector>

#include "platform/shell_actions.h"

namespace tolvane::test {

class FakeShellActions : public ShellActions {
 public:
  struct Execution {
    std::u16string verb, file, parameters, directory;
  };
  std::vector<Execution> executions;
  std::vector<ShellFileOperation> fileOperations;
  std::intptr_t executeResult = 42;
  int fileOperationResult = 0;
  std::map<std::u16string, ShortcutTarget> shortcuts;  // unknown ones fail

  std::intptr_t execute(std::u16string_view verb, std::u16string_view file, std::u16string_view parameters,
                        std::u16string_view directory) override {
    executions.push_back({std::u16string(verb), std::u16string(file), std::u16string(parameters),
                          std::u16string(directory)});
    return executeResult;
  }
  int fileOperation(const ShellFileOperation& operation) override {
    fileOperations.push_back(operation);
    return fileOperationResult;
  }
  ShortcutTarget shortcutTarget(std::u16string_view shortcutPath) override {
    const auto it = shortcuts.find(std::u16string(shortcutPath));
    if (it == shortcuts.end()) return {ShortcutTarget::Status::GetPathFailed, {}, 0x80004005};
    return it->second;
  }
};

}  // namespace tolvane::test
