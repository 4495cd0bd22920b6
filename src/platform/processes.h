#pragma once
// Questions about the running processes.

#include <string_view>

namespace tolvane {

class Processes {
 public:
  virtual ~Processes() = default;

  // True when some process that can be opened has an executable whose base
  // name contains the text (case-sensitive), e.g. "Keyrune+".
  virtual bool isProcessRunning(std::u16string_view namePart) = 0;
};

}  // namespace tolvane
