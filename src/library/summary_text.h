#pragma once
// The tooltip texts of the main window's tree: what a chore, a step or a
// chore list does, in a few lines.

#include <string>
#include <string_view>

#include "library/chore_library.h"
#include "platform/clock.h"
#include "platform/key_names.h"

namespace tolvane {

// A chore under "Chores": its lines and the lists that use it.
std::u16string choreSummaryText(const ChoreLibrary& library, std::u16string_view choreName, KeyNames& keyNames);

// A step of a list: the chore it names (as the library holds it now) and
// the step's completion condition.
std::u16string stepSummaryText(const ChoreLibrary& library, const Chore& step, KeyNames& keyNames);

// Over the label: post delay, repeats and chaining. Anywhere else on the
// item (its icon, the space beside it): the schedule.
enum class ListSummaryPart { OverLabel, AwayFromLabel };

std::u16string listSummaryText(const ChoreList& list, ListSummaryPart part, KeyNames& keyNames, const Clock& clock);

}  // namespace tolvane
