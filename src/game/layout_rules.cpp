// The layout contract "Varlo" as the match plays it: the turns with their
// messages, going out, and the payout by name. The placing rule, the ace's
// extra move and the seven's skip are the deal's (deal_state.cpp).
#include <string>

#include "match.h"

namespace varlo {

namespace {

// With the messages on the table, the hand line keeps the latest ones: what
// happened since the human's last card, as far as a line can hold it.
constexpr std::size_t MessagesKept = 4;
constexpr const char* MessageSeparator = ", ";

void AppendMessage(std::string& line, const std::string& message) {
  line = line.empty() ? message : line + MessageSeparator + message;
  // The separator before the oldest message kept, found from the end.
  std::size_t cut = std::string::npos;
  for (std::size_t kept = 0; kept < MessagesKept; ++kept) {
    if (cut == 0) return;
    cut = line.rfind(MessageSeparator, cut == std::string::npos ? cut : cut - 1);
    if (cut == std::string::npos) return;
  }
  line.erase(0, cut + std::char_traits<char>::length(MessageSeparator));
}

}  // namespace

bool TMatch::HumanMustPass() const {
  return S.Deal.Contract == VarloLayout && S.Deal.LegalSlots(0) == 0;
}

void TMatch::Announce(const std::string& name, const char* suffix) {
  if (!Setup.MessagesOnTable) {
    Tell(TBoxKind::Information, name + suffix);
    return;
  }
  AppendMessage(S.Table.HandLine, name + suffix);
  RequestRepaint();
}

void TMatch::GoOut(const std::string& name) {
  S.Progress.FinishOrder.push_back(name);
  RequestRepaint();
  Announce(name, " finished the game");
}

// What the table is told when a turn ends before any card: a skip or a pass
// shows a box; a seat without cards moves on in silence.
void TMatch::TellTurnStart(int seat, TTurnStart start) {
  if (start == TTurnStart::Skipped) {
    RequestRepaint();
    Announce(S.Deal.Players[seat].Name, " skipped");
  } else if (start == TTurnStart::MustPass) {
    RequestRepaint();
    Announce(S.Deal.Players[seat].Name, " passed");
  }
}

std::int32_t TMatch::PlayHumanOnLayout(int slot, int position) {
  if (CardCount(S.Deal.Players[0]) == 0) return NoMove;
  // The driver asks only for a card that fits; anything else changes nothing.
  if (!S.Deal.CanPlaceOnLayout(S.Deal.Players[0], slot)) return LaidOrPassed;
  // His card answers what the table said since his last one.
  if (Setup.MessagesOnTable) S.Table.HandLine.clear();
  const std::int32_t result = S.Deal.PlayAt(0, slot, position);
  if (result == WentOut) GoOut(S.Deal.Players[0].Name);
  return result;
}

std::int32_t TMatch::PlayComputerOnLayout(int seat, int position) {
  const TTurnStart start = S.Deal.BeginLayoutTurn(seat);
  TellTurnStart(seat, start);
  switch (start) {
    case TTurnStart::NoCards:
    case TTurnStart::Skipped: return NoMove;
    case TTurnStart::MustPass: return LaidOrPassed;
    case TTurnStart::Choose: break;
  }
  const std::int32_t result =
      S.Deal.PlayAt(seat, ComputerSlot(seat, S.Deal.LegalSlots(seat)), position);
  if (result == WentOut) GoOut(S.Deal.Players[seat].Name);
  return result;
}

void TMatch::SettleLayoutDeal() {
  // Players are told apart by name, the human's first: a human who calls
  // himself "Jack" takes the computer Jack's places too.
  const auto& order = S.Progress.FinishOrder;
  for (std::size_t place = 0; place < order.size(); ++place) {
    for (int seat = 0; seat < SeatCount; ++seat) {
      if (order[place] == SeatName(seat)) {
        S.Deal.Players[seat].Score += PlacePay(static_cast<int>(place));
        break;
      }
    }
  }
  S.Progress.FinishOrder.clear();
  S.Deal.ClearDeal();
}

}  // namespace varlo
