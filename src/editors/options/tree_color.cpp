#include "editors/options/tree_color.h"

namespace tolvane {
namespace {

constexpr int kLightEnough = 170;
constexpr int kMoreDraws = 7;

std::uint32_t lightChannel(const RandomByte& draw) {
  int value = draw();
  for (int more = 0; value < kLightEnough && more < kMoreDraws; ++more) value = draw();
  return static_cast<std::uint32_t>(value) & 0xFF;
}

}  // namespace

std::uint32_t randomLightColor(const RandomByte& draw) {
  const std::uint32_t red = lightChannel(draw);
  const std::uint32_t green = lightChannel(draw);
  const std::uint32_t blue = lightChannel(draw);
  return red | green << 8 | blue << 16;
}

void TreeColorChoice::pickRandom() {
  latestPick_ = randomLightColor(draw_);
  history_.push_back(latestPick_);
  current_ = latestPick_;
  if (history_.size() >= 2) previousAvailable_ = true;
}

void TreeColorChoice::pickPrevious() {
  if (history_.empty()) return;
  std::uint32_t taken = history_.back();
  history_.pop_back();
  if (taken == latestPick_ && !history_.empty()) {
    taken = history_.back();
    history_.pop_back();
  }
  current_ = taken;
  if (history_.empty()) previousAvailable_ = false;
}

}  // namespace tolvane
