// The deal as a value agrees with the match that drives it: at every
// decision of whole matches the value's legal slots are the driver's, and a
// copy of the deal, played forward with the same moves by the value's own
// order of turns, stays equal to the match's deal to the end.
#include <gtest/gtest.h>

#include "fake_screen.h"
#include "playout.h"

namespace varlo_test {
namespace {

using namespace varlo;

// Stands in for the computer seats: checks the copy at each of their
// decisions, lets the match's Classic player decide and plays the same move
// on the copy.
class TShadow final : public TComputerPlayer {
 public:
  explicit TShadow(TMatch& match) : Match(match), Inner(match.ClassicPlayer()) {}

  int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) override {
    AtDecision(seat);
    const int slot = Inner.ChooseSlot(state, seat, legal);
    Apply(seat, slot);
    return slot;
  }
  int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) override {
    return Inner.ChooseContract(state, seat, chosen);
  }

  // A deal has been chosen: the copy starts from it, the chooser moves first.
  void StartDeal() {
    Copy = Match;
    Next = Match.Chooser;
    Live = true;
  }
  // Before the next deal is chosen: the copy has played the same deal out
  // and pays what the match paid.
  void EndDeal() {
    if (!Live) return;
    Live = false;
    Expect(Copy.NextToChoose(Next) == -1, "the copy's deal is not over");
    if (Copy.Contract == VarloLayout)
      for (int place = 0; place < 3; ++place)
        Copy.Players[Copy.OutSeats[place]].Score += LayoutPlacePoints[place];
    for (int s = 0; s < SeatCount; ++s)
      Expect(Copy.Players[s].Score == Match.Players[s].Score, "the copy scored otherwise");
  }
  void AtDecision(int seat) {
    ++Decisions;
    Expect(Copy.NextToChoose(Next) == seat, "the copy expects another seat to move");
    Expect(Copy == static_cast<const TDealState&>(Match), "the copy differs from the match's deal");
  }
  void Apply(int seat, int slot) { Next = TDealState::SeatAfter(seat, Copy.Play(seat, slot)); }
  void Expect(bool ok, const std::string& what) {
    if (!ok && Failures++ < 5)
      ADD_FAILURE() << what << " (deal " << Match.DealsPlayed << ", contract " << Match.Contract
                    << ", decision " << Decisions << ")";
  }

  int Failures = 0;
  long Decisions = 0;

 private:
  TMatch& Match;
  TComputerPlayer& Inner;
  TDealState Copy;
  int Next = 0;
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
    shadow.StartDeal();
  };
  for (int m = 0; m < 150 && shadow.Failures == 0; ++m) {
    match.NewMatch();
    while (!match.MatchFinished() && shadow.Failures == 0) {
      const TSlotSet legal = match.LegalSlots(0);
      for (int slot = 0; slot < HandSize; ++slot) {
        const int x = HandLeft + CardWidth * slot + 1;
        const bool allowed = (legal >> slot) & 1u;
        const bool held = match.Players[0].Cards[slot] != NoCard;
        ASSERT_EQ(match.IsLegalClick(x, HandTop), allowed) << slot;
        ASSERT_EQ(match.IsIllegalClick(x, HandTop), held && !allowed) << slot;
      }
      ASSERT_NE(legal, 0) << "the driver waits for a human who cannot move";
      shadow.AtDecision(0);
      const int slot = RandomSlot(legal, random);
      shadow.Apply(0, slot);
      match.PlaySlot(slot, false);
    }
    shadow.EndDeal();
  }
  EXPECT_GT(shadow.Decisions, 150L * 32 * 12);
}

}  // namespace
}  // namespace varlo_test
