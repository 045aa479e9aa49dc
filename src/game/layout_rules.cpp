// The layout contract "Varlo": building the suits out from the jacks, the
// extra move after an ace, the lost turn after a seven, and the payout.
#include "match.h"

namespace varlo {

namespace {
constexpr std::int32_t PlacePoints[] = {400, 200, 100};
}

bool TMatch::CanPlaceOnLayout(const TCards& hand, int slot) const {
  if (slot < 0 || slot >= HandSize) return false;
  const TCard c = hand.Cards[slot];
  if (c == NoCard) return false;
  const int rank = RankOf(c);
  if (rank == JackRank) return true;
  // A row grows one rank at a time away from its jack, so a card needs its
  // neighbour on the jack's side; c +/- 1 never leaves the suit here.
  return rank < JackRank ? Layout[c + 1] : Layout[c - 1];
}

bool TMatch::HumanMustPass() const {
  if (Contract != VarloLayout) return false;
  for (int slot = 0; slot < HandSize; ++slot)
    if (CanPlaceOnLayout(Players[0], slot)) return false;
  return true;
}

std::int32_t TMatch::LayOut(TCards& hand, int slot) {
  const TCard c = hand.Cards[slot];
  std::int32_t result = LaidOrPassed;
  if (RankOf(c) == AceRank) {
    result = AceLaid;
  } else if (RankOf(c) == Seven) {
    result = SevenLaid;
    // Counted while the seven is still in the hand: the flag is set exactly
    // when two or more players will still hold cards once it has left.
    if (PlayersWithCards() > 2 || (PlayersWithCards() > 1 && CardCount(hand) > 1))
      SkipNext = true;
  }
  Layout[c] = true;
  hand.Cards[slot] = NoCard;
  return result;
}

void TMatch::GoOut(const std::string& name) {
  FinishOrder.push_back(name);
  RequestRepaint();
  Announce(name, " finished the game");
}

std::int32_t TMatch::PlayHumanOnLayout(int slot) {
  if (CardCount(Players[0]) == 0) return NoMove;
  std::int32_t result = LaidOrPassed;
  if (CanPlaceOnLayout(Players[0], slot)) result = LayOut(Players[0], slot);
  if (CardCount(Players[0]) == 0) {
    GoOut(Players[0].Name);
    result = WentOut;
  }
  return result;
}

std::int32_t TMatch::PlayComputerOnLayout(TCards& hand) {
  if (CardCount(hand) == 0) return NoMove;
  if (SkipNext) {
    RequestRepaint();
    SkipNext = false;
    Announce(hand.Name, " skipped");
    return NoMove;
  }
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!CanPlaceOnLayout(hand, slot)) continue;
    std::int32_t result = LayOut(hand, slot);
    if (CardCount(hand) == 0) {
      GoOut(hand.Name);
      result = WentOut;
    }
    return result;
  }
  RequestRepaint();
  Announce(hand.Name, " passed");
  return LaidOrPassed;
}

void TMatch::SettleLayoutDeal() {
  // Players are told apart by name, the human's first: a human who calls
  // himself "Jack" takes the computer Jack's places too.
  for (std::size_t place = 0; place < 3 && place < FinishOrder.size(); ++place) {
    const std::string& name = FinishOrder[place];
    for (int seat = 0; seat < SeatCount; ++seat) {
      if (name == SeatName(seat)) {
        Players[seat].Score += PlacePoints[place];
        break;
      }
    }
  }
  FinishOrder.clear();
  ClearTable();
  SkipNext = false;
}

}  // namespace varlo
