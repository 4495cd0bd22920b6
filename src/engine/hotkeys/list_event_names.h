#pragma once
// Kernel-object names of a running chore list's events. A list name may
// hold any character, so it is turned into a valid object name that stays
// distinct for distinct list names: letters and digits stay, "_" becomes
// "__" and any other character "_" and its four hexadecimal digits. A name
// too long for the system gets a hash of the list name in place of its
// tail.

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

std::u16string mangleListName(std::u16string_view listName);

// "_hkChoreListTerm_%s"
std::u16string listTermEventName(std::u16string_view listName);
// "_hkChComp_%s_%d", for the step's zero-based index.
std::u16string stepCompletionEventName(std::u16string_view listName, std::uint32_t stepIndex);

}  // namespace tolvane
