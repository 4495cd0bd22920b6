#pragma once
// Waiting for a step's completion condition.

#include "engine/runner/run_control.h"
#include "library/chore.h"

namespace tolvane {

enum class StepWait { Completed, TimedOut };

// Waits for the step's condition. A stop request ends every wait but a
// question box at its next check; the caller tells a stop by the record's
// abort flag, which a No to a question or a failed wait also sets.
StepWait waitForCompletion(const RunControl& run, const Chore& step);

// Whole seconds of a DELAY step: leading decimal digits after optional
// white space and sign, as the C library reads them; 0 when there are none
// or the number is negative.
std::uint32_t delaySeconds(std::u16string_view text);

}  // namespace tolvane
