#pragma once
// tolvanectl lint: what is wrong with a chore library, found before it
// bites. Every rule is the program's own (the load, the keyboard hook, the
// scheduler, the executor); each finding is one line naming the records.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "library/chore_file_format.h"
#include "library/chore_library.h"
#include "platform/clock.h"
#include "platform/key_names.h"

namespace tolvane {

struct LintContext {
  KeyNames& keyNames;
  const Clock& clock;
  // The master hot key from the settings; none where there are no settings
  // to read. Ctrl+Shift+Right arrow is Tolvane's either way.
  std::optional<HotKeyCode> masterKey;
};

// Findings in this order: steps the load dropped, hot keys, next lists,
// schedules, names, window operations; records in library order.
std::vector<std::u16string> lintLibrary(const LibraryContents& contents, std::span<const DroppedStep> droppedSteps,
                                        const LintContext& context);

// A step the load dropped because no chore has its name.
std::u16string droppedStepText(const DroppedStep& dropped);

}  // namespace tolvane
