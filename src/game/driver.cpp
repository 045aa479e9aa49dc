// The turn driver: one human click and everything that follows from it, up
// to the point where the human must click again.
#include "chooser.h"
#include "match.h"
#include "records.h"
#include "score.h"

namespace varlo {

void TMatch::PlayTurn(std::int32_t x, std::int32_t y, bool passed) {
  PlaySlot(SlotAt(x, y), passed);
}

void TMatch::PlaySlot(int slot, bool passed) {
  InputEnabled = false;
  // Once the 32nd deal is over there is no contract left to choose: a click
  // on a card left in the hand must not start a 33rd deal.
  if (MatchFinished()) {
    InputEnabled = true;
    return;
  }
  // Each cycle in which the human cannot move is followed by another one
  // at once; a loop gives the same order of events as calling back in.
  TCycleEnd end = PlayCycle(slot, passed);
  while (end == TCycleEnd::AnotherCycle) end = PlayCycle(-1, true);
  InputEnabled = true;
}

TMatch::TCycleEnd TMatch::PlayCycle(int slot, bool passed) {
  if (ChoosePending) FirstChoice(passed);

  if (!passed && !MayPlaySlot(slot)) {
    if (IsIllegalSlot(slot)) Tell(TBoxKind::Error, "Illegal move !!!");
    return TCycleEnd::WaitForClick;
  }

  if (!passed) {
    const std::int32_t r = PlayHumanCard(slot, HumanPosition());
    if (r == AceLaid && CardCount(Players[0]) >= 1) {
      if (!HumanMustPass()) {
        // He moves again in the same cycle: same position, same replies.
        RequestRepaint();
        return TCycleEnd::WaitForClick;
      }
      NotePass(0);
      if (Leader == 0) RequestRepaint();
      Announce(Players[0].Name, " passed");
    }
  }
  PlayReplies();

  TakeTrick();
  if (IsTrickContract(Contract)) SettleTrick();

  if (DealFinished() && !EndDeal()) return TCycleEnd::WaitForClick;

  PlayLeadIn();

  RequestRepaint();
  // Without cards the human leaves a skip for the next seat holding one.
  if (SkipNext || HumanMustPass()) {
    TellTurnStart(0, BeginLayoutTurn(0));
    return TCycleEnd::AnotherCycle;
  }
  return TCycleEnd::WaitForClick;
}

void TMatch::FirstChoice(bool& passed) {
  Scr.Beep();
  RunChooser();
  if (Contract == VarloLayout) {
    SkipNext = false;
    if (HumanMustPass()) {
      NotePass(0);
      RequestRepaint();
      passed = true;
      Announce(Players[0].Name, " passed");
    }
  }
  GameLine = "Current Game: " + ContractName(Contract);
  ChoosePending = false;
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
  while (PlayComputerCard(Players[seat], position) == AceLaid) {
  }
}

void TMatch::PlayReplies() {
  for (int p = HumanPosition() + 1; p < SeatCount; ++p) ComputerMove((Leader + p) % SeatCount, p);
}

void TMatch::PlayLeadIn() {
  for (int p = 0; p < HumanPosition(); ++p) ComputerMove((Leader + p) % SeatCount, p);
}

// The trick has been taken (TakeTrick): it is shown, paused on and cleared.
void TMatch::SettleTrick() {
  HandLine = "Hand: " + SeatName(Leader);
  RequestRepaint();
  RepaintTable();  // the timer is blocked during the pause: draw now
  Scr.Pause(TrickPauseMs);
  ClearTable();
}

// The end of a deal. False when it was the last deal of the match.
bool TMatch::EndDeal() {
  ++DealsPlayed;
  if (Contract == VarloLayout) SettleLayoutDeal();
  RequestRepaint();
  Scr.ShowScore(ScoreRows(Players));
  if (MatchFinished()) {
    RequestRepaint();
    Tell(TBoxKind::Confirmation, "Game Over !!!");
    UpdateRecords();
    return false;
  }
  StartNextDeal();
  return true;
}

void TMatch::StartNextDeal() {
  ResetHands();
  DealCards();
  Chooser = (Chooser + 1) % SeatCount;
  Leader = Chooser;
  // The layout's cards lie where the trick view draws nothing: only a fill
  // removes them, and the trick view's pictures before a layout deal.
  if (Contract == VarloLayout) Scr.FillWindow();
  RequestRepaint();
  Scr.Beep();
  RunChooser();
  if (Contract == VarloLayout) Scr.FillWindow();
  GameLine = "Current Game: " + ContractName(Contract);
  HandLine.clear();
}

void TMatch::UpdateRecords() {
  if (RecordsFile.empty()) return;
  // Any failure is silent and skips the dialog; the game goes on.
  if (UpdateRecordsFile(RecordsFile, TTopEntry{Players[0].Name, Players[0].Score}))
    Scr.ShowRecords(RecordsFile);
}

}  // namespace varlo
