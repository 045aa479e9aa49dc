// The match state: start-up, the New command, the resets and the value as a
// whole.
#include "match.h"

#include <algorithm>

namespace varlo {

TMatch::TMatch(TScreen& screen, TClock& clock, TMatchConfig config)
    : Setup(std::move(config)), Scr(screen), Clock(clock) {
  S.Deal.Players[0].Name = "You";
  S.Table.HandLine.clear();
  S.Deal.Contract = NoContract;
  ResetHands();
  ClearTable();
  S.Driver.InputEnabled = true;
  S.Progress.FinishOrder.clear();
  Redraw = {};
}

void TMatch::Restore(const TMatchState& state) {
  S = state;
  Points.clear();
}

void TMatch::SetConfig(const TMatchConfig& config) {
  // Points kept while taking back was allowed stay usable only as long as
  // it is.
  if (!config.TakeBack) Points.clear();
  Setup = config;
}

void TMatch::SetHumanName(const std::string& name) {
  S.Deal.Players[0].Name = name;
  RequestRepaint();
}

void TMatch::ResetMatch() {
  for (auto& row : S.Progress.ContractsChosen) row.fill(false);
  for (auto& p : S.Deal.Players) p.Score = 0;
}

void TMatch::NewMatch() {
  S.Driver.ChoosePending = true;
  S.Driver.ChoiceWaiting = false;
  S.Driver.PauseWaiting = false;
  S.Deal.Chooser = 0;
  S.Deal.Leader = 0;
  S.Progress.DealsPlayed = 0;
  S.Progress.Assisted = false;
  S.Progress.Deals.clear();
  S.Deal.Contract = NoContract;
  ResetHands();
  ResetMatch();
  // A match abandoned in the middle of a layout deal must leave nothing
  // behind for the next one.
  S.Deal.ClearDeal();
  S.Progress.FinishOrder.clear();
  Points.clear();
  DealCards();
  // Nothing is chosen yet; 0 makes the table show the new hand and an empty
  // layout behind the chooser.
  S.Deal.Contract = VarloLayout;
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
  const std::int32_t r = DrawFreeContract(S.Random, row);
  row[r] = true;
  return r;
}

std::int32_t TMatch::ComputerContract(int seat) {
  TContractRow& row = S.Progress.ContractsChosen[seat];
  if (RowFull(row)) return -1;
  std::int32_t r = Opponents->ChooseContract(S.Deal, seat, row);
  // A player that names a contract already spent gets the first free one:
  // the rule of one choice per contract holds whoever decides.
  if (r < 0 || r >= ContractCount || row[r])
    r = static_cast<std::int32_t>(std::find(row.begin(), row.end(), false) - row.begin());
  row[r] = true;
  return r;
}

void TMatch::RequestRepaint() {
  Redraw.NeedsRepaint = true;
  Scr.RepaintRequested();
}

void TMatch::RepaintTable() {
  Redraw.Painting = true;
  Scr.PaintTable();
  Redraw.Painting = false;
  Redraw.NeedsRepaint = false;
}

const std::string& TMatch::SeatName(int seat) const {
  return seat == 0 ? S.Deal.Players[0].Name : ComputerName(seat);
}

void TMatch::Tell(TBoxKind kind, const std::string& text) {
  Scr.Beep();
  Scr.ShowMessage(kind, text);
}

}  // namespace varlo
