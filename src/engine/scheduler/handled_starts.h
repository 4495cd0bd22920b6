#pragma once
// Per chore list, the moment up to which the scheduler has dealt with its
// start times (started them, skipped them or found them not yet due). It
// is kept in the registry, so that the next run of Tolvane can tell a
// start missed while it was not running from one already dealt with, and
// a crash cannot make a list run twice.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tolvane {

// A REG_SZ value under the settings key.
inline constexpr std::u16string_view kHandledStartsValue = u"lastStartHandled";

// List name to calendar time.
using HandledStarts = std::map<std::u16string, std::int64_t, std::less<>>;

// One "<calendar time>,<length of the name>,<name>;" per list, so that a
// name of any characters comes back as it was.
std::u16string encodeHandledStarts(const HandledStarts& starts);
// A damaged value gives what it holds up to the damage.
HandledStarts decodeHandledStarts(std::u16string_view text);

HandledStarts loadHandledStarts(Registry& registry);
// Failures are silent: the next start of Tolvane then knows less.
void saveHandledStarts(Registry& registry, const HandledStarts& starts);

}  // namespace tolvane
