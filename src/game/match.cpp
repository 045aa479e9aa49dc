// The match state: start-up, the New command and the resets.
#include "match.h"

#include <algorithm>

namespace varlo {

TMatch::TMatch(TScreen& screen, TClock& clock) : Scr(screen), Clock(clock) {
  Players[0].Name = "You";
  HandLine.clear();
  Contract = NoContract;
  ResetHands();
  ClearTable();
  InputEnabled = true;
  FinishOrder.clear();
  Painting = false;
  NeedsRepaint = false;
}

void TMatch::ResetMatch() {
  for (auto& row : ContractsChosen) row.fill(false);
  for (auto& p : Players) p.Score = 0;
}

void TMatch::ClearTable() {
  Trick.fill(NoCard);
  if (Contract == VarloLayout) Layout.fill(false);
}

void TMatch::NewMatch() {
  ChoosePending = true;
  Chooser = 0;
  Leader = 0;
  DealsPlayed = 0;
  Contract = NoContract;
  SkipNext = false;
  ResetHands();
  ResetMatch();
  // A match abandoned in the middle of a layout deal must leave nothing
  // behind for the next one.
  Trick.fill(NoCard);
  Layout.fill(false);
  FinishOrder.clear();
  DealCards();
  // Nothing is chosen yet; 0 makes the table show the new hand and an empty
  // layout behind the chooser.
  Contract = VarloLayout;
  Scr.FillWindow();
  RequestRepaint();
  PlayTurn(0, 0, false);
}

std::int32_t TMatch::PickRandomContract(std::array<bool, ContractCount>& row) {
  if (std::all_of(row.begin(), row.end(), [](bool chosen) { return chosen; })) return -1;
  std::int32_t r;
  do {
    r = Random.Uniform(ContractCount);
  } while (row[r]);
  row[r] = true;
  return r;
}

void TMatch::RequestRepaint() {
  NeedsRepaint = true;
  Scr.RepaintRequested();
}

void TMatch::RepaintTable() {
  Painting = true;
  Scr.PaintTable();
  Painting = false;
  NeedsRepaint = false;
}

const std::string& TMatch::SeatName(int seat) const {
  return seat == 0 ? Players[0].Name : ComputerName(seat);
}

void TMatch::Tell(TBoxKind kind, const std::string& text) {
  Scr.Beep();
  Scr.ShowMessage(kind, text);
}

void TMatch::Announce(const std::string& name, const char* suffix) {
  Tell(TBoxKind::Information, name + suffix);
}

}  // namespace varlo
