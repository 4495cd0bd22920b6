#include "support/test_paths.h"

namespace tolvane::test {

std::string testDataPath(const std::string& relative) { return std::string(TOLVANE_TEST_DATA_DIR) + "/" + relative; }

}  // namespace tolvane::test
