#include "MonkeyChecks.h"

#include <algorithm>
#include <array>

namespace ui_test {

using namespace varlo;

namespace {

// Counts where each card is; a second sighting is a duplicate.
struct TCardCount {
  std::array<int, DeckSize> Seen{};
  std::string Problem;

  int Note(TCard c) {
    if (c == NoCard) return 0;
    if (c < 0 || c >= DeckSize) {
      Problem = "card code " + std::to_string(c) + " out of range";
      return 0;
    }
    if (++Seen[c] > 1) Problem = "card " + std::to_string(c) + " in two places";
    return 1;
  }
};

std::string TrickDealProblem(const std::array<int, SeatCount>& held, int inTrick) {
  int total = inTrick;
  for (int n : held) total += n;
  if (total % SeatCount != 0) return "cards lost: " + std::to_string(total) + " in play";
  // Everyone starts each trick with as many cards as the others.
  const int perSeat = total / SeatCount;
  int played = 0;
  for (int n : held) {
    if (n != perSeat && n != perSeat - 1) return "a hand out of step with the others";
    if (n == perSeat - 1) ++played;
  }
  if (played != inTrick)
    return "the trick does not hold the cards the hands are missing";
  return {};
}

}  // namespace

std::string CardsProblem(const TMatch& match) {
  TCardCount count;
  std::array<int, SeatCount> held{};
  int inTrick = 0, onLayout = 0;
  for (int seat = 0; seat < SeatCount; ++seat)
    for (TCard c : match.Deal().Players[seat].Cards) held[seat] += count.Note(c);
  for (TCard c : match.Deal().Trick) inTrick += count.Note(c);
  for (int c = 0; c < DeckSize; ++c)
    if (match.Deal().Layout[c]) onLayout += count.Note(c);
  if (!count.Problem.empty()) return count.Problem;

  int inHands = 0;
  for (int n : held) inHands += n;
  if (IsTrickContract(match.Deal().Contract)) {
    if (onLayout != 0) return "layout cards under a trick contract";
    return TrickDealProblem(held, inTrick);
  }
  if (inTrick != 0) return "trick cards outside a trick contract";
  // Before the first deal and after a settled layout deal nothing is out.
  const int out = inHands + onLayout;
  if (out != DeckSize && out != 0) return "cards lost: " + std::to_string(out) + " out";
  return {};
}

long long ScoreSum(const TMatch& match) {
  long long sum = 0;
  for (const auto& player : match.Deal().Players) sum += player.Score;
  return sum;
}

bool HumanCanPlay(const TMatch& match) {
  for (int slot = 0; slot < HandSize; ++slot)
    if (match.MayPlaySlot(slot)) return true;
  return false;
}

}  // namespace ui_test
