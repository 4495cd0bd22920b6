#pragma once
// The steps of a chore list made from keys recorded by the keyboard hook:
// a key chore per key, and a wait for the window plus a pause wherever the
// keys went to another window.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/hotkeys/key_capture.h"
#include "library/chore.h"
#include "platform/key_names.h"
#include "platform/log_sink.h"

namespace tolvane {

// Names that begin so belong to the wizard: the tree neither renames nor
// edits them.
inline constexpr std::u16string_view kWizardChorePrefix = u"_Wiz+";

// Step templates: a pause of `defaultDelay` seconds, and a wait for a window
// (its title goes into compData where it is used).
Chore delayTemplate(std::int32_t defaultDelay);
Chore windowCreatedTemplate();

// The system command that opens the Start Menu when the desktop's Program
// Manager gets it.
inline constexpr std::uint16_t kSysCommandTaskList = 0xF130;

// Opens the Start Menu and gives it a second.
Chore startMenuOpener();

struct CapturedSteps {
  std::vector<Chore> steps;
  // "Ctrl + C, H, Enter": the keys as the user sees them.
  std::u16string keystrokeText;
};

// Keys go to the Start Menu (as system commands) or, otherwise, to
// whatever window is in front when the list runs. Each record is also
// written to the debug log.
CapturedSteps buildCapturedSteps(const std::vector<CapturedKey>& keys, bool startMenuMode, std::int32_t defaultDelay,
                                 KeyNames& keyNames, LogSink& log);

}  // namespace tolvane
