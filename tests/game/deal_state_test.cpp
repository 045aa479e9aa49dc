// The deal as a value agrees with the match that drives it: at every
// decision of whole matches the value's legal slots are the driver's, and a
// copy of the deal, played forward with the same moves by the value's own
// order of turns, stays equal to the match's deal to the end.
#include <gtest/gtest.h>

#include <utility>

#include "fake_screen.h"
#include "playout.h"

namespace varlo_test {
namespace {

using namespace varlo;

// Stands in for the computer seats, where the match's Classic player
// decides, and is told the human's moves. At each decision the copy must
// wait for the same seat and equal the match's deal; then it plays the move.
struct TShadow final : TComputerPlayer {
  explicit TShadow(TMatch& match) : Match(match) {}

  int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) override {
    return Played(seat, Match.ClassicPlayer().ChooseSlot(state, seat, legal));
  }
  int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) override {
    return Match.ClassicPlayer().ChooseContract(state, seat, chosen);
  }
  int Played(int seat, int slot) {
    ++Decisions;
    Expect(Copy.NextToChoose(Next) == seat, "the copy expects another seat to move");
    Expect(Copy == Match.Deal(), "the copy differs from the match's deal");
    Next = TDealState::SeatAfter(seat, Copy.Play(seat, slot));
    return slot;
  }
  // Before the next deal is chosen: the copy has played the same deal out
  // and pays what the match paid.
  void EndDeal() {
    if (!std::exchange(Live, false)) return;
    Expect(Copy.NextToChoose(Next) == -1, "the copy's deal is not over");
    if (Copy.Contract == VarloLayout)
      for (int place = 0; place < 3; ++place)
        Copy.Players[Copy.OutSeats[place]].Score += PlacePay(place);
    for (int s = 0; s < SeatCount; ++s)
      Expect(Copy.Players[s].Score == Match.Deal().Players[s].Score, "the copy scored otherwise");
  }
  void Expect(bool ok, const char* what) {
    if (!ok && Failures++ < 5)
      ADD_FAILURE() << what << " (deal " << Match.Progress().DealsPlayed << ", decision "
                    << Decisions << ")";
  }

  TMatch& Match;
  TDealState Copy;
  int Next = 0, Failures = 0;
  long Decisions = 0;
  bool Live = false;
};

TEST(DealState, AgreesWithTheDriverThroughWholeMatches) {
  TFakeScreen screen;
  TSteppingClock clock(77);
  TMatch match(screen, clock);
  screen.Watch(match);
  TShadow shadow(match);
  match.SetOpponents(&shadow);
  TRandom random;
  random.Seed(5);
  screen.OnChooser = [&](TGameChooser& chooser) {
    shadow.EndDeal();
    TFakeScreen::ChooseLowestFree(chooser);
    // The copy starts from the chosen deal, the chooser first.
    shadow.Copy = match.Deal();
    shadow.Next = match.Deal().Chooser;
    shadow.Live = true;
  };
  for (int m = 0; m < 150 && shadow.Failures == 0; ++m) {
    match.NewMatch();
    while (!match.MatchFinished() && shadow.Failures == 0) {
      // The human's clicks are judged by the same legal slots.
      const TSlotSet legal = match.Deal().LegalSlots(0);
      for (int slot = 0; slot < HandSize; ++slot) {
        const int x = HandLeft + CardWidth * slot + 1;
        const bool allowed = (legal >> slot) & 1u;
        const bool held = match.Deal().Players[0].Cards[slot] != NoCard;
        ASSERT_EQ(match.IsLegalClick(x, HandTop), allowed) << slot;
        ASSERT_EQ(match.IsIllegalClick(x, HandTop), held && !allowed) << slot;
      }
      ASSERT_NE(legal, 0) << "the driver waits for a human who cannot move";
      match.PlaySlot(shadow.Played(0, RandomSlot(legal, random)), false);
    }
    shadow.EndDeal();
  }
  EXPECT_GT(shadow.Decisions, 150L * 32 * 12);
}

}  // namespace
}  // namespace varlo_test
