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

namespace {
bool RowFull(const TContractRow& row) {
  return std::all_of(row.begin(), row.end(), [](bool chosen) { return chosen; });
}
}  // namespace

std::int32_t TMatch::PickRandomContract(TContractRow& row) {
  if (RowFull(row)) return -1;
  const std::int32_t r = DrawFreeContract(Random, row);
  row[r] = true;
  return r;
}

std::int32_t TMatch::ComputerContract(int seat) {
  TContractRow& row = ContractsChosen[seat];
  if (RowFull(row)) return -1;
  std::int32_t r = Opponents->ChooseContract(*this, seat, row);
  // A player that names a contract already spent gets the first free one:
  // the rule of one choice per contract holds whoever decides.
  if (r < 0 || r >= ContractCount || row[r])
    r = static_cast<std::int32_t>(std::find(row.begin(), row.end(), false) - row.begin());
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
