#include "match_checker.h"

#include <numeric>

#include "match.h"

namespace varlo {

std::int32_t DealTotal(std::int32_t contract) {
  // 8 tricks of 50; four queens of 40; the king 200; the ten 200; eight
  // diamonds of 30; the layout's 400 + 200 + 100.
  switch (contract) {
    case VarloLayout: return 700;
    case Whist: return 400;
    case Levate: return -400;
    case Total: return -400 - 160 - 200 + 200 - 240;
    case Queens: return -160;
    case HeartKing: return -200;
    case Club10: return 200;
    case Diamonds: return -240;
    default: return 0;
  }
}

namespace {
std::int64_t ScoreSum(const TMatch& m) {
  std::int64_t sum = 0;
  for (const auto& p : m.Deal().Players) sum += p.Score;
  return sum;
}
}  // namespace

void TMatchChecker::Fail(const std::string& what) {
  if (Found.size() < 20) Found.push_back("event " + std::to_string(EventCount) + ": " + what);
}

void TMatchChecker::OnEvent(const TMatch& match, const TEventRecord& event) {
  ++EventCount;
  // New fills the window before it calls the driver; everything else the
  // screen reports happens inside a driver call.
  const bool newsFill = event.Kind == TEventKind::Fill && match.Driver().ChoosePending;
  const bool insideDriver = event.Kind != TEventKind::New && event.Kind != TEventKind::Resume &&
                            event.Kind != TEventKind::Click &&
                            event.Kind != TEventKind::Match && !newsFill;
  if (insideDriver && match.InputEnabled()) Fail("input enabled while the driver runs");
  switch (event.Kind) {
    case TEventKind::New:
      Seen = {};
      DealsSeen = 0;
      BetweenDeals = true;
      break;
    case TEventKind::Resume: OnResume(match); break;
    case TEventKind::Chooser: OnChooser(match, event); break;
    case TEventKind::Score: OnScore(match, event); break;
    case TEventKind::Box: OnBox(match, event); break;
    case TEventKind::Pause:
      if (!IsTrickContract(match.Deal().Contract)) Fail("pause outside a trick contract");
      for (TCard c : match.Deal().Trick)
        if (c == NoCard) Fail("pause with an incomplete trick");
      break;
    default: break;
  }
  if (!BetweenDeals && event.Kind != TEventKind::Score) CheckCards(match);
  if (event.Kind == TEventKind::Pause) ++PausesThisDeal;
  LastWasBeep = event.Kind == TEventKind::Beep;
}

void TMatchChecker::OnChooser(const TMatch& match, const TEventRecord& event) {
  if (event.Seat != match.Deal().Chooser) Fail("chooser event for the wrong seat");
  if (event.Contract < 0 || event.Contract >= ContractCount) {
    Fail("no contract chosen");
    return;
  }
  if (Seen[event.Seat][event.Contract]) Fail("a seat chose a contract twice");
  Seen[event.Seat][event.Contract] = true;
  for (int s = 0; s < SeatCount; ++s)
    for (int i = 0; i < ContractCount; ++i)
      if (match.Progress().ContractsChosen[s][i] != Seen[s][i]) Fail("ContractsChosen out of step");
  for (const auto& p : match.Deal().Players)
    if (CardCount(p) != HandSize) Fail("a hand is not full at the choice");
  BetweenDeals = false;
  PausesThisDeal = 0;
  ScoreAtDealStart = ScoreSum(match);
  DealContract = event.Contract;
}

void TMatchChecker::OnResume(const TMatch& match) {
  const TMatchState& s = match.State();
  Seen = s.Progress.ContractsChosen;
  DealsSeen = s.Progress.DealsPlayed;
  BetweenDeals = s.Driver.ChoosePending || s.Driver.ChoiceWaiting;
  DealContract = s.Deal.Contract;
  // What the finished deals paid is in the scores already.
  ScoreAtDealStart = ScoreSum(match);
  for (const TDealResult& deal : s.Progress.Deals)
    for (std::int32_t points : deal.Points) ScoreAtDealStart -= points;
  int inHands = 0, inTrick = 0;
  for (const auto& p : s.Deal.Players) inHands += CardCount(p);
  for (TCard c : s.Deal.Trick) inTrick += c != NoCard ? 1 : 0;
  PausesThisDeal = IsTrickContract(DealContract) ? (DeckSize - inHands - inTrick) / SeatCount : 0;
}

void TMatchChecker::OnScore(const TMatch& match, const TEventRecord& event) {
  ++DealsSeen;
  if (match.Progress().DealsPlayed != DealsSeen) Fail("DealsPlayed out of step");
  const std::int64_t paid = ScoreSum(match) - ScoreAtDealStart;
  if (paid != DealTotal(DealContract))
    Fail("deal under contract " + std::to_string(DealContract) + " paid " + std::to_string(paid));
  for (int i = 0; i + 1 < SeatCount; ++i)
    if ((*event.Score)[i].Points < (*event.Score)[i + 1].Points) Fail("score rows not sorted");
  if (IsTrickContract(DealContract)) {
    CheckCards(match);
  } else {
    // The settlement has already emptied the layout: nothing may be left.
    if (match.Deal().PlayersWithCards() != 0 || !match.Progress().FinishOrder.empty() || match.Deal().SkipNext)
      Fail("a layout deal settled with cards, names or a skip left");
    for (bool on : match.Deal().Layout)
      if (on) Fail("a layout deal settled with cards on the layout");
  }
  BetweenDeals = true;
}

void TMatchChecker::OnBox(const TMatch& match, const TEventRecord& event) {
  if (!LastWasBeep) Fail("a box without a beep before it");
  const std::string text(event.Text);
  if (text == "Illegal move !!!" || text == "Select a game !!!" || text.rfind("Game Over !!!", 0) == 0)
    return;
  for (int seat = 0; seat < SeatCount; ++seat)
    for (const char* suffix : {" passed", " skipped", " finished the game"})
      if (text == match.SeatName(seat) + suffix) return;
  Fail("unexpected message: " + text);
}

void TMatchChecker::CheckCards(const TMatch& match) {
  std::array<int, DeckSize> where{};
  int inHands = 0, inTrick = 0, onLayout = 0;
  const auto note = [&](TCard c, int& counter) {
    if (c == NoCard) return;
    if (c < 0 || c >= DeckSize) return Fail("a card code out of range");
    if (++where[c] > 1) Fail("card " + std::to_string(c) + " in two places");
    ++counter;
  };
  for (const auto& p : match.Deal().Players)
    for (TCard c : p.Cards) note(c, inHands);
  for (TCard c : match.Deal().Trick) note(c, inTrick);
  for (int c = 0; c < DeckSize; ++c)
    if (match.Deal().Layout[c]) note(c, onLayout);
  if (IsTrickContract(match.Deal().Contract)) {
    if (onLayout != 0) Fail("layout cards in a trick contract");
    if (inHands + inTrick != DeckSize - 4 * PausesThisDeal) Fail("cards lost in a trick contract");
  } else {
    if (inTrick != 0) Fail("trick cards in the layout contract");
    if (inHands + onLayout != DeckSize) Fail("cards lost in the layout contract");
    CheckLayoutRows(match);
  }
}

void TMatchChecker::CheckLayoutRows(const TMatch& match) {
  for (int suit = 0; suit < 4; ++suit) {
    const auto on = [&](int rank) { return match.Deal().Layout[CardOf(suit, rank)]; };
    bool gap = false;
    for (int r = JackRank - 1; r >= Seven; --r) {
      if (!on(r)) gap = true;
      else if (gap || !on(JackRank)) Fail("a broken layout row");
    }
    gap = false;
    for (int r = QueenRank; r <= AceRank; ++r) {
      if (!on(r)) gap = true;
      else if (gap || !on(JackRank)) Fail("a broken layout row");
    }
  }
}

void TMatchChecker::AfterTurn(const TMatch& match) {
  if (!match.InputEnabled()) Fail("the driver returned with input disabled");
  if (match.MatchFinished()) return;
  bool playable = false;
  for (int slot = 0; slot < HandSize; ++slot) playable = playable || match.MayPlaySlot(slot);
  if (!playable) Fail("the driver returned while the human cannot play");
}

void TMatchChecker::AfterMatch(const TMatch& match) {
  if (DealsSeen != DealsPerMatch || match.Progress().DealsPlayed != DealsPerMatch)
    Fail("the match did not end after 32 deals");
  for (const auto& row : Seen)
    for (bool chosen : row)
      if (!chosen) Fail("a contract was never chosen");
}

}  // namespace varlo
