#pragma once
// The colour options: the chore tree's background colour as the user tries
// colours out, random light colours with their history, and what OK keeps.
// Colours are 0x00BBGGRR.

#include <cstdint>
#include <functional>
#include <vector>

namespace tolvane {

inline constexpr std::uint32_t kProgramTreeColor = 0xAAC8BE;
inline constexpr std::uint32_t kWindowTreeColor = 0xFFFFFF;
// The swatch of "Random pick" and "Previous random pick".
inline constexpr std::uint32_t kRandomSwatchColor = 0xEAFBF8;

// A value from 0 to 255 of a pseudo-random sequence.
using RandomByte = std::function<int()>;

// Red, green and blue in turn, each drawn again while it is below 170, at
// most seven more times, so that the colour is light nearly always.
std::uint32_t randomLightColor(const RandomByte& draw);

class TreeColorChoice {
 public:
  TreeColorChoice(std::uint32_t opening, RandomByte draw)
      : opening_(opening), current_(opening), draw_(std::move(draw)) {}

  std::uint32_t current() const { return current_; }
  std::uint32_t opening() const { return opening_; }
  // OK keeps the colour only when it differs from the one at opening.
  bool changed() const { return current_ != opening_; }

  // "Select color", "Window default", "Program default".
  void choose(std::uint32_t color) { current_ = color; }
  // "Random pick": a new light colour, remembered in the history.
  void pickRandom();
  // "Previous random pick": back through the history, past the colour the
  // last pick showed.
  void pickPrevious();
  // Greyed at opening, available once two picks are remembered, greyed
  // again when the history is used up.
  bool previousAvailable() const { return previousAvailable_; }

 private:
  std::uint32_t opening_;
  std::uint32_t current_;
  RandomByte draw_;
  std::vector<std::uint32_t> history_;
  std::uint32_t latestPick_ = 0;
  bool previousAvailable_ = false;
};

}  // namespace tolvane
