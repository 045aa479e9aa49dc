// Taking a card back: the match returns to the last point in the deal where
// the human was to play, the computers answer the same card the same way
// again, and the result stays out of the records.
#include <gtest/gtest.h>

#include "fake_screen.h"
#include "records.h"
#include "strong_player.h"
#include "temp_folder.h"

namespace varlo_test {
namespace {

using namespace varlo;

// A Whist deal of three cards each, the human to lead; each computer holds
// two hearts, so following suit is a choice.
void SetUpWhist(TMatch& match, int dealsPlayed) {
  TEdit e(match);
  e->Deal.Contract = Whist;
  e->Deal.Players[0].Cards = MakeHand({0, 9, 18});
  e->Deal.Players[1].Cards = MakeHand({1, 5, 19});
  e->Deal.Players[2].Cards = MakeHand({2, 6, 20});
  e->Deal.Players[3].Cards = MakeHand({3, 7, 21});
  e->Progress.DealsPlayed = dealsPlayed;
  e->Progress.ContractsChosen[0][Whist] = true;
}

TEST(TakeBack, TheSameCardGetsTheSameAnswersAndTheResultIsNoRecord) {
  for (const bool strong : {false, true}) {
    SCOPED_TRACE(strong ? "Strong" : "Classic");
    TempFolder dir;
    TTable t;
    TStrongPlayer opponents(99);
    if (strong) t.Match.SetOpponents(&opponents);
    TMatchConfig config;
    config.TakeBack = true;
    config.RecordsFile = dir.File();
    t.Match.SetConfig(config);
    ASSERT_TRUE(EnsureRecordsFile(dir.File(), nullptr));
    SetUpWhist(t.Match, DealsPerMatch - 1);
    t.Match.Resume();
    const TMatchState start = t.Match.State();
    EXPECT_FALSE(t.Match.CanTakeBack());  // nothing played yet in this deal

    t.Match.PlaySlot(0, false);  // 7♥: the three follow with a heart of their choice
    const TMatchState answered = t.Match.State();
    ASSERT_TRUE(t.Match.CanTakeBack());
    t.Screen.Clear();
    ASSERT_TRUE(t.Match.TakeBack());
    EXPECT_EQ(t.Screen.Count(TEventKind::FillWindow), 1);
    TMatchState expected = start;
    expected.Progress.Assisted = true;
    EXPECT_EQ(t.Match.State(), expected);
    EXPECT_FALSE(t.Match.TakeBack());  // the first card of the deal: no further back

    t.Match.PlaySlot(0, false);
    expected = answered;
    expected.Progress.Assisted = true;
    EXPECT_EQ(t.Match.State(), expected);

    // The match ends as always; only the records file does not take it.
    const std::string records = ReadBytes(dir.File());
    t.Screen.Clear();
    while (!t.Match.MatchFinished()) t.Match.PlaySlot(LowestSlot(t.Match.Deal().LegalSlots(0)), false);
    EXPECT_EQ(t.Screen.Messages().back(),
              "Game Over !!!\nYou had help in this match: the result does not go into the Top ten.");
    EXPECT_EQ(t.Screen.Count(TEventKind::Records), 1);
    EXPECT_EQ(ReadBytes(dir.File()), records);
    EXPECT_FALSE(t.Match.CanTakeBack());
  }
}

TEST(TakeBack, NeverAcrossTheScoreOfADeal) {
  TTable t;
  TMatchConfig config;
  config.TakeBack = true;
  t.Match.SetConfig(config);
  SetUpWhist(t.Match, 0);
  t.Match.Resume();
  while (t.Match.Progress().DealsPlayed == 0)
    t.Match.PlaySlot(LowestSlot(t.Match.Deal().LegalSlots(0)), false);
  // The next deal has begun: its first point is the only one.
  EXPECT_FALSE(t.Match.CanTakeBack());
  EXPECT_FALSE(t.Match.TakeBack());
}

}  // namespace
}  // namespace varlo_test
