// The player's pace: a pause after a trick that waits as a state instead of
// blocking, and the layout contract's messages on the table instead of in
// boxes. Neither changes what is played.
#include <gtest/gtest.h>

#include "fake_screen.h"

namespace varlo_test {
namespace {

using namespace varlo;

// A Levate trick the human leads (7♥): Jack follows with 8♥, Sandra takes it
// with 9♥, Ben throws 7♣; then Sandra leads 9♦ and Ben follows with 10♦.
struct TPacedTable : TTable {
  explicit TPacedTable(int pauseMs) {
    TMatchConfig config;
    config.PauseMs = pauseMs;
    Match.SetConfig(config);
    TEdit e(Match);
    e->Deal.Contract = Levate;
    for (int seat = 0; seat < SeatCount; ++seat) e->Deal.Players[seat].Cards = MakeHand({});
    e->Deal.Players[0].Cards = MakeHand({0, 16});
    e->Deal.Players[1].Cards = MakeHand({17, 1});
    e->Deal.Players[2].Cards = MakeHand({2, 18});
    e->Deal.Players[3].Cards = MakeHand({24, 19});
    e->Progress.ContractsChosen[0][Levate] = true;
  }
};

TEST(Pace, AWaitingPauseEndsWhereTheBlockingOneDoes) {
  TPacedTable blocking(TrickPauseMs);
  blocking.Match.PlaySlot(0, false);
  EXPECT_EQ(blocking.Screen.Count(TEventKind::Pause), 1);
  EXPECT_EQ(blocking.Screen.Count(TEventKind::StartPause), 0);

  for (int pause : {1500, 500, PauseUntilClick}) {
    SCOPED_TRACE(pause);
    TPacedTable paced(pause);
    paced.Match.PlaySlot(0, false);
    // The full trick is on show, drawn, and the table takes nothing else.
    ASSERT_EQ(paced.Screen.Count(TEventKind::StartPause), 1);
    EXPECT_EQ(paced.Screen.Count(TEventKind::Pause), 0);
    EXPECT_EQ(paced.Screen.Events.back().Milliseconds, pause);
    EXPECT_EQ(paced.Screen.Events[paced.Screen.Events.size() - 2].Kind, TEventKind::PaintTable);
    EXPECT_TRUE(paced.Match.Driver().PauseWaiting);
    EXPECT_FALSE(paced.Match.InputEnabled());
    EXPECT_EQ(paced.Match.Deal().Trick, (TTrick{0, 1, 2, 24}));
    const TMatchState during = paced.Match.State();
    paced.Match.PlaySlot(1, false);  // a click that is no end of the pause
    EXPECT_EQ(paced.Match.State(), during);
    paced.Match.EndPause();
    EXPECT_EQ(paced.Match.State(), blocking.Match.State());
  }
}

TEST(Pace, LayoutMessagesGoIntoTheHandLineWithoutBoxOrBeep) {
  TTable t;
  TMatchConfig config;
  config.MessagesOnTable = true;
  t.Match.SetConfig(config);
  {
    TEdit e(t.Match);
    e->Deal.Contract = VarloLayout;
    e->Deal.Chooser = e->Deal.Leader = 1;
    for (TCard c : {4, 3, 2, 1}) e->Deal.Layout[c] = true;
    e->Deal.Players[0].Cards = MakeHand({5, 20});
    e->Deal.Players[1].Cards = MakeHand({28, 29});
    e->Deal.Players[2].Cards = MakeHand({13, 12});
    e->Deal.Players[3].Cards = MakeHand({0, 30});
    e->Table.HandLine = "Hand: Ben";
  }
  t.Match.PlaySlot(0, false);  // Q♥; Jack J♣, Sandra J♠, Ben 7♥ skips the human
  EXPECT_TRUE(t.Screen.Messages().empty());
  EXPECT_EQ(t.Screen.Beeps(), 0);
  EXPECT_EQ(t.Match.Lines().HandLine,
            "You skipped, Jack finished the game, Sandra finished the game, Ben finished the game");
  // The same deal as with boxes: only where the messages went differs.
  EXPECT_EQ(t.Match.Progress().FinishOrder, (std::vector<std::string>{"Jack", "Sandra", "Ben"}));
  EXPECT_EQ(t.Match.Deal().Players[0].Cards, MakeHand({NoCard, 20}));
  EXPECT_TRUE(t.Match.InputEnabled());
}

}  // namespace
}  // namespace varlo_test
