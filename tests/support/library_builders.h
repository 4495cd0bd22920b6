#pragma once
// Builders of chores and chore lists for tests, so that a test names only
// the fields it is about.

#include <string>
#include <string_view>
#include <vector>

#include "library/chore.h"
#include "library/chore_library.h"
#include "library/chore_list.h"
#include "platform/clock.h"

namespace tolvane::test {

// A chore of the given type, with the type's display name as its verb.
Chore makeChore(std::u16string name, ChoreType type = CHORE_NOTHING);
// The place of the named action in the chore editor's list.
int actionIndex(std::u16string_view name);

Chore exploreChore(std::u16string name, std::u16string folder);

// A chore with every stored field set to something other than its default
// (text fields carry characters that need escaping), for round trips.
Chore fullChore(std::u16string name);

// A step of `chore` with a completion condition.
Chore makeStep(const Chore& chore, CompletionType compType = COMP_NONE, std::u16string compData = {});

ChoreList makeList(std::u16string name, std::vector<Chore> steps = {});

// The benchmarks' library: at `scale` 1, 1,000 chores (every third one with
// every field set, the others explore chores) and 200 lists of 10 steps,
// half of them with a time of day; the benchmark library of a heavy user
// (10,000 chores, 2,000 lists) is scale 10.
LibraryContents benchmarkLibrary(int scale, const Clock& clock);

}  // namespace tolvane::test
