// The simulated human: where he clicks and how he picks his contracts.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "random.h"

namespace varlo {

class TMatch;
class TGameChooser;
class TComputerPlayer;

/// first: the leftmost playable card and the first free contract; random:
/// random ones; chaos: random, with stray clicks and fumbled dialogs;
/// steady, strong: the Steady or the Strong computer player's decisions,
/// for seat 0.
enum class THumanStyle { First, Random, Chaos, Strong, Steady, Coach };

bool ParseHumanStyle(const std::string& text, THumanStyle& style);

class THumanPlayer {
 public:
  THumanPlayer(THumanStyle style, std::uint64_t seed) : Style(style), Rng(seed) {}

  /// Who decides for a steady or strong human; set before such a human plays.
  void SetBrain(TComputerPlayer* brain) { Brain = brain; }
  /// How long each of the coach's pieces of advice took, in milliseconds
  /// (a coach human only).
  const std::vector<double>& CoachMs() const { return CoachTimes; }

  /// How many random clicks to make before the next deliberate one (chaos
  /// only; 0 for the others).
  int StrayClickCount();
  /// A click anywhere on the table (table pixels).
  std::pair<int, int> StrayClick();
  /// A slot whose card may be played now: the leftmost one, a random one,
  /// or the brain's. -1 when the human holds no playable card.
  int LegalSlot(const TMatch& match);
  /// Works the chooser dialog and closes it.
  void Choose(const TMatch& match, TGameChooser& chooser);

 private:
  int Pick(int count) { return static_cast<int>(DrawBelow(Rng, static_cast<std::uint64_t>(count))); }

  THumanStyle Style;
  std::mt19937_64 Rng;
  TComputerPlayer* Brain = nullptr;
  std::vector<double> CoachTimes;
};

}  // namespace varlo
