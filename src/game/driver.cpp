// The turn driver: one human click and everything that follows from it, up
// to the point where the human must click again.
#include "chooser.h"
#include "match.h"
#include "records.h"
#include "score.h"

namespace varlo {

namespace {

// The second line of the last box when the player had help: the total
// stands, but not among the best results.
constexpr const char* AssistedLine = "You had help in this match: the result does not go into the Top ten.";

}  // namespace

void TMatch::PlayTurn(std::int32_t x, std::int32_t y, bool passed) {
  PlaySlot(SlotAt(x, y), passed);
}

void TMatch::PlaySlot(int slot, bool passed) {
  // A trick on show ends only by EndPause.
  if (S.Driver.PauseWaiting) return;
  S.Driver.InputEnabled = false;
  // Once the 32nd deal is over there is no contract left to choose: a click
  // on a card left in the hand must not start a 33rd deal.
  if (MatchFinished()) {
    S.Driver.InputEnabled = true;
    return;
  }
  RunCycles(PlayCycle(slot, passed));
}

// Each cycle in which the human cannot move is followed by another one at
// once; a loop gives the same order of events as calling back in.
void TMatch::RunCycles(TCycleEnd end) {
  while (end == TCycleEnd::AnotherCycle) end = PlayCycle(-1, true);
  if (end == TCycleEnd::Paused) return;  // the table waits, and takes no clicks
  S.Driver.InputEnabled = true;
  KeepTakeBackPoint();
}

void TMatch::EndPause() {
  if (!S.Driver.PauseWaiting) return;
  S.Driver.PauseWaiting = false;
  S.Driver.InputEnabled = false;
  ClearTable();
  RunCycles(AfterTrick());
}

void TMatch::Resume() {
  if (S.Driver.PauseWaiting) return EndPause();
  if (S.Driver.ChoosePending || S.Driver.ChoiceWaiting) return PlaySlot(-1, false);
  S.Driver.InputEnabled = true;
  KeepTakeBackPoint();
}

TMatch::TCycleEnd TMatch::PlayCycle(int slot, bool passed) {
  if (S.Driver.ChoosePending) {
    FirstChoice(passed);
  } else if (S.Driver.ChoiceWaiting) {
    // A match restored while the human was choosing the deal's contract.
    ChooseNextContract();
    PlayLeadIn();
    return BeforeHumanTurn();
  }

  if (!passed && !MayPlaySlot(slot)) {
    if (IsIllegalSlot(slot)) Tell(TBoxKind::Error, "Illegal move !!!");
    return TCycleEnd::WaitForClick;
  }

  if (!passed) {
    const std::int32_t r = PlayHumanCard(slot, HumanPosition());
    if (r == AceLaid && CardCount(S.Deal.Players[0]) >= 1) {
      if (!HumanMustPass()) {
        // He moves again in the same cycle: same position, same replies.
        RequestRepaint();
        return TCycleEnd::WaitForClick;
      }
      S.Deal.NotePass(0);
      if (S.Deal.Leader == 0) RequestRepaint();
      Announce(S.Deal.Players[0].Name, " passed");
    }
  }
  PlayReplies();

  S.Deal.TakeTrick();
  if (IsTrickContract(S.Deal.Contract) && SettleTrick()) return TCycleEnd::Paused;
  return AfterTrick();
}

// The trick has been taken and cleared (or there was none): the end of the
// deal, the next deal, and the moves up to the human's turn.
TMatch::TCycleEnd TMatch::AfterTrick() {
  if (S.Deal.DealFinished() && !EndDeal()) return TCycleEnd::WaitForClick;
  PlayLeadIn();
  return BeforeHumanTurn();
}

TMatch::TCycleEnd TMatch::BeforeHumanTurn() {
  RequestRepaint();
  // Without cards the human leaves a skip for the next seat holding one.
  if (S.Deal.SkipNext || HumanMustPass()) {
    TellTurnStart(0, S.Deal.BeginLayoutTurn(0));
    return TCycleEnd::AnotherCycle;
  }
  return TCycleEnd::WaitForClick;
}

void TMatch::FirstChoice(bool& passed) {
  Scr.Beep();
  RunChooser();
  if (S.Deal.Contract == VarloLayout) {
    S.Deal.SkipNext = false;
    // The last line of an earlier match says nothing about this deal.
    if (Setup.MessagesOnTable) S.Table.HandLine.clear();
    if (HumanMustPass()) {
      S.Deal.NotePass(0);
      RequestRepaint();
      passed = true;
      Announce(S.Deal.Players[0].Name, " passed");
    }
  }
  S.Table.GameLine = "Current Game: " + ContractName(S.Deal.Contract);
  S.Driver.ChoosePending = false;
  RequestRepaint();
}

void TMatch::RunChooser() {
  TGameChooser chooser(*this);
  Scr.ShowChooser(chooser);
  // A front end that returns without closing (its window torn down) still
  // leaves a consistent choice behind.
  if (!chooser.Closed()) chooser.Close();
}

void TMatch::ComputerMove(int seat, int position) {
  while (PlayComputerCard(seat, position) == AceLaid) {
  }
}

void TMatch::PlayReplies() {
  for (int p = HumanPosition() + 1; p < SeatCount; ++p)
    ComputerMove((S.Deal.Leader + p) % SeatCount, p);
}

void TMatch::PlayLeadIn() {
  for (int p = 0; p < HumanPosition(); ++p) ComputerMove((S.Deal.Leader + p) % SeatCount, p);
}

// The trick has been taken (TakeTrick): it is shown, paused on and cleared.
// True when the pause is a waiting state that EndPause ends.
bool TMatch::SettleTrick() {
  S.Table.HandLine = "Hand: " + SeatName(S.Deal.Leader);
  RequestRepaint();
  RepaintTable();  // the timer is blocked during the pause: draw now
  if (Setup.PauseMs != TrickPauseMs) {
    S.Driver.PauseWaiting = true;
    Scr.StartPause(Setup.PauseMs);
    return true;
  }
  Scr.Pause(TrickPauseMs);
  ClearTable();
  return false;
}

// The end of a deal. False when it was the last deal of the match.
bool TMatch::EndDeal() {
  ++S.Progress.DealsPlayed;
  if (S.Deal.Contract == VarloLayout) SettleLayoutDeal();
  NoteDealResult();
  RequestRepaint();
  Scr.ShowScore(ScoreRows(S.Deal.Players));
  if (MatchFinished()) {
    RequestRepaint();
    Tell(TBoxKind::Confirmation,
         S.Progress.Assisted ? std::string("Game Over !!!\n") + AssistedLine : "Game Over !!!");
    UpdateRecords();
    return false;
  }
  StartNextDeal();
  return true;
}

// Scores start at 0 with the match, so what is not in the earlier deals'
// points came from this deal.
void TMatch::NoteDealResult() {
  TDealResult result{S.Deal.Chooser, S.Deal.Contract, {}};
  for (int seat = 0; seat < SeatCount; ++seat) {
    std::int32_t earlier = 0;
    for (const TDealResult& deal : S.Progress.Deals) earlier += deal.Points[seat];
    result.Points[seat] = S.Deal.Players[seat].Score - earlier;
  }
  S.Progress.Deals.push_back(result);
}

void TMatch::StartNextDeal() {
  // A card is taken back only within its deal, never across the score.
  Points.clear();
  ResetHands();
  DealCards();
  S.Deal.Chooser = (S.Deal.Chooser + 1) % SeatCount;
  S.Deal.Leader = S.Deal.Chooser;
  // The layout's cards lie where the trick view draws nothing: only a fill
  // removes them, and the trick view's pictures before a layout deal.
  if (S.Deal.Contract == VarloLayout) Scr.FillWindow();
  RequestRepaint();
  S.Driver.ChoiceWaiting = true;
  ChooseNextContract();
}

void TMatch::ChooseNextContract() {
  Scr.Beep();
  RunChooser();
  S.Driver.ChoiceWaiting = false;
  if (S.Deal.Contract == VarloLayout) Scr.FillWindow();
  S.Table.GameLine = "Current Game: " + ContractName(S.Deal.Contract);
  S.Table.HandLine.clear();
}

void TMatch::UpdateRecords() {
  const auto& file = Setup.RecordsFile;
  if (file.empty()) return;
  // The list is shown as always; only the result of a match played with
  // help stays out of it.
  if (S.Progress.Assisted) return Scr.ShowRecords(file);
  // Any failure is silent and skips the dialog; the game goes on.
  if (UpdateRecordsFile(file, TTopEntry{S.Deal.Players[0].Name, S.Deal.Players[0].Score}))
    Scr.ShowRecords(file);
}

void TMatch::KeepTakeBackPoint() {
  if (!Setup.TakeBack || MatchFinished() || !S.Driver.InputEnabled) return;
  if (!Points.empty() && Points.back() == S) return;  // nothing was played
  Points.push_back(S);
}

void TMatch::MarkAssisted() {
  S.Progress.Assisted = true;
  for (TMatchState& point : Points) point.Progress.Assisted = true;
}

bool TMatch::CanTakeBack() const {
  return Setup.TakeBack && S.Driver.InputEnabled && !MatchFinished() && Points.size() >= 2;
}

bool TMatch::TakeBack() {
  if (!CanTakeBack()) return false;
  // What the player set up since stays: his name.
  const std::string name = S.Deal.Players[0].Name;
  Points.pop_back();
  S = Points.back();
  S.Deal.Players[0].Name = name;
  MarkAssisted();
  // Cards come back off the layout: only a fill removes their pictures.
  Scr.FillWindow();
  RequestRepaint();
  return true;
}

}  // namespace varlo
