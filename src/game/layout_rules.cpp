// The layout contract "Varlo" as the match plays it: the turns with their
// messages, going out, and the payout by name. The placing rule, the ace's
// extra move and the seven's skip are the deal's (deal_state.cpp).
#include "match.h"

namespace varlo {

bool TMatch::HumanMustPass() const {
  return Contract == VarloLayout && LegalSlots(0) == 0;
}

void TMatch::GoOut(const std::string& name) {
  FinishOrder.push_back(name);
  RequestRepaint();
  Announce(name, " finished the game");
}

// What the table is told when a turn ends before any card: a skip or a pass
// shows a box; a seat without cards moves on in silence.
void TMatch::TellTurnStart(int seat, TTurnStart start) {
  if (start == TTurnStart::Skipped) {
    RequestRepaint();
    Announce(Players[seat].Name, " skipped");
  } else if (start == TTurnStart::MustPass) {
    RequestRepaint();
    Announce(Players[seat].Name, " passed");
  }
}

std::int32_t TMatch::PlayHumanOnLayout(int slot, int position) {
  if (CardCount(Players[0]) == 0) return NoMove;
  // The driver asks only for a card that fits; anything else changes nothing.
  if (!CanPlaceOnLayout(Players[0], slot)) return LaidOrPassed;
  const std::int32_t result = PlayAt(0, slot, position);
  if (result == WentOut) GoOut(Players[0].Name);
  return result;
}

std::int32_t TMatch::PlayComputerOnLayout(int seat, int position) {
  const TTurnStart start = BeginLayoutTurn(seat);
  TellTurnStart(seat, start);
  switch (start) {
    case TTurnStart::NoCards:
    case TTurnStart::Skipped: return NoMove;
    case TTurnStart::MustPass: return LaidOrPassed;
    case TTurnStart::Choose: break;
  }
  const std::int32_t result = PlayAt(seat, ComputerSlot(seat, LegalSlots(seat)), position);
  if (result == WentOut) GoOut(Players[seat].Name);
  return result;
}

void TMatch::SettleLayoutDeal() {
  // Players are told apart by name, the human's first: a human who calls
  // himself "Jack" takes the computer Jack's places too.
  for (std::size_t place = 0; place < LayoutPlacePoints.size() && place < FinishOrder.size();
       ++place) {
    const std::string& name = FinishOrder[place];
    for (int seat = 0; seat < SeatCount; ++seat) {
      if (name == SeatName(seat)) {
        Players[seat].Score += LayoutPlacePoints[place];
        break;
      }
    }
  }
  FinishOrder.clear();
  OutCount = 0;
  ClearTable();
  SkipNext = false;
}

}  // namespace varlo
