#pragma once
// The commands of tolvanectl, apart from the console: check, resave, show
// and lint a folder's chore files.

#include <span>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/key_names.h"
#include "platform/registry.h"

namespace tolvane {

struct ToolServices {
  Files& files;
  KeyNames& keyNames;
  const Clock& clock;
  char16_t separator;  // of paths on this system
  // Tolvane's settings, where the system keeps them (not on Linux).
  Registry* registry = nullptr;
};

struct ToolResult {
  int exitCode = 0;
  std::u16string out;
  std::u16string err;
};

// `args` are the words after the program name.
ToolResult runTolvanectl(std::span<const std::u16string> args, const ToolServices& services);

// Writes the result's texts to stdout and stderr in UTF-8; gives its exit code.
int printResult(const ToolResult& result);

}  // namespace tolvane
