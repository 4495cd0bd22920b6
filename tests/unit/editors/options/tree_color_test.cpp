#include "editors/options/tree_color.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

RandomByte scripted(std::vector<int> values) {
  return [values = std::move(values), next = std::size_t{0}]() mutable {
    return next < values.size() ? values[next++] : 255;
  };
}

TEST(TreeColor, EachChannelIsDrawnAgainWhileDarkAtMostSevenMoreTimes) {
  struct Case {
    const char* what;
    std::vector<int> draws;
    std::uint32_t color;
  };
  const Case cases[] = {
      {"light at once, red in the low byte", {200, 180, 255}, 0xFFB4C8},
      {"dark values drawn again", {10, 169, 170, 0, 171, 254}, 0xFEABAA},
      {"the eighth draw stays", {1, 2, 3, 4, 5, 6, 7, 8, 200, 201}, 0xC9C808},
  };
  for (const Case& c : cases) EXPECT_EQ(randomLightColor(scripted(c.draws)), c.color) << c.what;
}

// Picks of a seeded generator, then "Previous random pick" walks back past
// the colour on show to the first pick and is greyed.
TEST(TreeColor, PreviousRandomPickWalksBackThroughTheHistory) {
  std::mt19937 generator(2026);
  std::uniform_int_distribution<int> byte(0, 255);
  TreeColorChoice choice(kProgramTreeColor, [&] { return byte(generator); });
  EXPECT_FALSE(choice.previousAvailable());
  std::vector<std::uint32_t> picks;
  for (int i = 0; i < 4; ++i) {
    choice.pickRandom();
    picks.push_back(choice.current());
    EXPECT_EQ(choice.previousAvailable(), i >= 1) << "after pick " << i;
  }
  for (int back = 2; back >= 0; --back) {
    choice.pickPrevious();
    EXPECT_EQ(choice.current(), picks[back]);
    EXPECT_EQ(choice.previousAvailable(), back > 0);
  }
}

// R: a random pick (0xAAAAAA, then 0xBBBBBB, ...), P: the previous one,
// W: "Window default".
TEST(TreeColor, HistoryRules) {
  struct Case {
    std::string actions;
    std::uint32_t current;
    bool previousAvailable;
  };
  const Case cases[] = {
      {"R", 0xAAAAAA, false},         // one pick is not enough to go back to
      {"RR", 0xBBBBBB, true},
      {"RRRP", 0xBBBBBB, true},       // the shown pick is stepped over
      {"RRRPP", 0xAAAAAA, false},     // history used up
      {"RRPR", 0xCCCCCC, false},      // greyed until two picks again
      {"RRRPRP", 0xAAAAAA, false},
      {"RRWP", 0xAAAAAA, false},      // from another colour, still past the last pick
  };
  for (const Case& c : cases) {
    std::vector<int> draws;
    for (int colour = 0xAA; colour <= 0xFF; colour += 0x11) draws.insert(draws.end(), 3, colour);
    TreeColorChoice choice(kProgramTreeColor, scripted(draws));
    for (const char action : c.actions) {
      if (action == 'R') choice.pickRandom();
      if (action == 'P') choice.pickPrevious();
      if (action == 'W') choice.choose(kWindowTreeColor);
    }
    EXPECT_EQ(choice.current(), c.current) << c.actions;
    EXPECT_EQ(choice.previousAvailable(), c.previousAvailable) << c.actions;
  }
}

TEST(TreeColor, OkKeepsOnlyAColourOtherThanTheOneAtOpening) {
  TreeColorChoice choice(kProgramTreeColor, scripted({}));
  choice.choose(kWindowTreeColor);
  EXPECT_TRUE(choice.changed());
  choice.choose(kProgramTreeColor);
  EXPECT_FALSE(choice.changed());
  EXPECT_EQ(choice.opening(), kProgramTreeColor);
}

}  // namespace
}  // namespace tolvane
