// The simulated human: where he clicks and how he picks his contracts.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>

#include "random.h"

namespace varlo {

class TMatch;
class TGameChooser;

enum class THumanStyle { First, Random, Chaos };

bool ParseHumanStyle(const std::string& text, THumanStyle& style);

class THumanPlayer {
 public:
  THumanPlayer(THumanStyle style, std::uint64_t seed) : Style(style), Rng(seed) {}

  /// How many random clicks to make before the next deliberate one (chaos
  /// only; 0 for the others).
  int StrayClickCount();
  /// A click anywhere on the 640 x 480 table.
  std::pair<int, int> StrayClick();
  /// The centre of a slot whose card may be played now: the leftmost one, or
  /// a random one. {-1, -1} when the human holds no playable card.
  std::pair<int, int> LegalClick(const TMatch& match);
  /// Works the chooser dialog and closes it.
  void Choose(TGameChooser& chooser);

 private:
  int Pick(int count) { return static_cast<int>(DrawBelow(Rng, static_cast<std::uint64_t>(count))); }

  THumanStyle Style;
  std::mt19937_64 Rng;
};

}  // namespace varlo
