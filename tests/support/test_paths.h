#pragma once
// Where the checked-in test data lives (golden files, seed files).

#include <string>

namespace tolvane::test {

std::string testDataPath(const std::string& relative);

}  // namespace tolvane::test
