// The match state at start-up, the two resets and the New command.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "fake_screen.h"
#include "match.h"

namespace {

using namespace varlo;
using varlo_test::Edit;
using varlo_test::MakeHand;
using varlo_test::TEdit;
using varlo_test::TEventKind;
using varlo_test::TTable;

// Every field of the match that a click could change.
struct TState {
  std::array<std::string, SeatCount> Names;
  std::array<THand, SeatCount> Hands;
  std::array<std::int32_t, SeatCount> Scores;
  std::array<std::array<bool, ContractCount>, SeatCount> ContractsChosen;
  TTrick Trick;
  std::array<bool, DeckSize> Layout;
  std::int32_t Leader, Chooser, Contract, DealsPlayed;
  bool ChoosePending, SkipNext, InputEnabled, NeedsRepaint, Painting;
  std::string GameLine, HandLine;
  std::vector<std::string> FinishOrder;
  bool operator==(const TState&) const = default;
};

TState StateOf(const TMatch& m) {
  TState s{};
  for (int seat = 0; seat < SeatCount; ++seat) {
    s.Names[seat] = m.Deal().Players[seat].Name;
    s.Hands[seat] = m.Deal().Players[seat].Cards;
    s.Scores[seat] = m.Deal().Players[seat].Score;
  }
  s.ContractsChosen = m.Progress().ContractsChosen;
  s.Trick = m.Deal().Trick;
  s.Layout = m.Deal().Layout;
  s.Leader = m.Deal().Leader;
  s.Chooser = m.Deal().Chooser;
  s.Contract = m.Deal().Contract;
  s.DealsPlayed = m.Progress().DealsPlayed;
  s.ChoosePending = m.Driver().ChoosePending;
  s.SkipNext = m.Deal().SkipNext;
  s.InputEnabled = m.InputEnabled();
  s.NeedsRepaint = m.Redraw.NeedsRepaint;
  s.Painting = m.Redraw.Painting;
  s.GameLine = m.Lines().GameLine;
  s.HandLine = m.Lines().HandLine;
  s.FinishOrder = m.Progress().FinishOrder;
  return s;
}

int ChosenCount(const TMatch& m) {
  int n = 0;
  for (const auto& row : m.Progress().ContractsChosen)
    n += static_cast<int>(std::count(row.begin(), row.end(), true));
  return n;
}

int LaidOut(const TMatch& m) {
  const auto& layout = m.Deal().Layout;
  return static_cast<int>(std::count(layout.begin(), layout.end(), true));
}

const TTrick EmptyTrick{NoCard, NoCard, NoCard, NoCard};

TEST(StartUp, NoContractEmptyHandsInputEnabled) {
  TTable table;
  const TMatch& m = table.Match;
  EXPECT_EQ(m.Deal().Contract, NoContract);
  EXPECT_TRUE(m.InputEnabled());
  EXPECT_EQ(m.Lines().HandLine, "");
  EXPECT_EQ(m.Lines().GameLine, "");
  EXPECT_EQ(m.Deal().Players[0].Name, "You");
  EXPECT_EQ(m.Deal().Players[1].Name, "Jack");
  EXPECT_EQ(m.Deal().Players[2].Name, "Sandra");
  EXPECT_EQ(m.Deal().Players[3].Name, "Ben");
  for (const auto& player : m.Deal().Players) {
    EXPECT_EQ(player.Cards, MakeHand({}));
    EXPECT_EQ(player.Score, 0);
  }
  EXPECT_EQ(m.Deal().Trick, EmptyTrick);
  EXPECT_TRUE(m.Progress().FinishOrder.empty());
  EXPECT_FALSE(m.Redraw.NeedsRepaint);
  EXPECT_FALSE(m.Redraw.Painting);
}

TEST(StartUp, EverythingElseStartsAtZero) {
  TTable table;
  const TMatch& m = table.Match;
  EXPECT_EQ(ChosenCount(m), 0);
  EXPECT_EQ(LaidOut(m), 0);
  EXPECT_EQ(m.Deal().Leader, 0);
  EXPECT_EQ(m.Deal().Chooser, 0);
  EXPECT_EQ(m.Progress().DealsPlayed, 0);
  EXPECT_FALSE(m.Driver().ChoosePending);
  EXPECT_FALSE(m.Deal().SkipNext);
  EXPECT_TRUE(table.Screen.Events.empty());
}

TEST(StartUp, ClickBeforeTheFirstNewChangesNothing) {
  TTable table;
  TMatch& m = table.Match;
  const TState before = StateOf(m);
  const std::pair<int, int> clicks[] = {{100, 50}, {20, 25}, {611, 125}, {0, 0}, {300, 400}};
  for (auto [x, y] : clicks) {
    m.PlayTurn(x, y, false);
    EXPECT_TRUE(StateOf(m) == before) << x << "," << y;
    EXPECT_TRUE(m.InputEnabled());
  }
  EXPECT_TRUE(table.Screen.Events.empty());
}

TEST(ClearTable, TrickContractKeepsTheLayout) {
  TTable table;
  TMatch& m = table.Match;
  {
    TEdit edit(m);
    edit->Deal.Trick = {1, 2, 3, 4};
    edit->Deal.Layout[5] = edit->Deal.Layout[28] = true;
  }
  for (int contract : {Total, NoContract}) {
    Edit(m)->Deal.Contract = contract;
    m.ClearTable();
    EXPECT_EQ(m.Deal().Trick, EmptyTrick);
    EXPECT_EQ(LaidOut(m), 2);
    EXPECT_TRUE(m.Deal().Layout[5] && m.Deal().Layout[28]);
  }
}

TEST(ClearTable, LayoutContractClearsTheLayout) {
  TTable table;
  TMatch& m = table.Match;
  {
    TEdit edit(m);
    edit->Deal.Trick = {1, 2, 3, 4};
    edit->Deal.Layout.fill(true);
    edit->Deal.Contract = VarloLayout;
  }
  m.ClearTable();
  EXPECT_EQ(m.Deal().Trick, EmptyTrick);
  EXPECT_EQ(LaidOut(m), 0);
}

TEST(ResetMatch, ZeroesScoresAndForgetsChoices) {
  TTable table;
  TMatch& m = table.Match;
  m.DealCards();
  const std::array<std::int32_t, SeatCount> scores{120, -300, 50, 0};
  {
    TEdit edit(m);
    for (int seat = 0; seat < SeatCount; ++seat) edit->Deal.Players[seat].Score = scores[seat];
    auto& chosen = edit->Progress.ContractsChosen;
    chosen[0][3] = chosen[2][0] = chosen[3][7] = true;
    edit->Deal.Players[0].Name = "Alice";
  }
  const THand hand = m.Deal().Players[2].Cards;

  m.ResetMatch();

  for (const auto& player : m.Deal().Players) EXPECT_EQ(player.Score, 0);
  EXPECT_EQ(ChosenCount(m), 0);
  EXPECT_EQ(m.Deal().Players[0].Name, "Alice");
  EXPECT_EQ(m.Deal().Players[2].Cards, hand);
}

class NewMatch : public ::testing::Test {
 protected:
  TTable Table{77};
  TMatch& M = Table.Match;
  varlo_test::TFakeScreen& Screen = Table.Screen;

  // A match part-way through, so New has something to undo.
  void MessUp() {
    TEdit edit(M);
    edit->Deal.Players[0].Name = "Alice";
    edit->Deal.Players[0].Score = 120;
    edit->Deal.Players[1].Score = -300;
    edit->Deal.Players[2].Score = 50;
    auto& chosen = edit->Progress.ContractsChosen;
    chosen[0][1] = chosen[1][5] = chosen[3][0] = true;
    edit->Progress.DealsPlayed = 9;
    edit->Deal.Chooser = 2;
    edit->Deal.Leader = 3;
    edit->Deal.Contract = Queens;
    edit->Deal.Trick = {5, 13, -1, -1};
    edit->Table.HandLine = "Hand: Ben";
    edit->Table.GameLine = "Current Game: Queens";
  }
};

TEST_F(NewMatch, WithWhistChosen) {
  MessUp();
  Screen.PickContract(Whist);
  M.NewMatch();

  EXPECT_EQ(M.Progress().DealsPlayed, 0);
  for (const auto& player : M.Deal().Players) {
    EXPECT_EQ(player.Score, 0);
    EXPECT_EQ(CardCount(player), HandSize);
  }
  EXPECT_EQ(M.Deal().Chooser, 0);
  EXPECT_EQ(M.Deal().Leader, 0);
  EXPECT_EQ(ChosenCount(M), 1);
  EXPECT_TRUE(M.Progress().ContractsChosen[0][Whist]);
  EXPECT_EQ(M.Deal().Contract, Whist);
  EXPECT_EQ(M.Deal().Trick, EmptyTrick);
  EXPECT_TRUE(M.InputEnabled());
  EXPECT_FALSE(M.Driver().ChoosePending);
  EXPECT_EQ(M.Lines().GameLine, "Current Game: Whist");
  EXPECT_EQ(M.Deal().Players[0].Name, "Alice");
  EXPECT_EQ(M.Lines().HandLine, "Hand: Ben");  // stays until the first trick has a winner
  EXPECT_TRUE(Screen.Messages().empty());
}

TEST_F(NewMatch, ErasesTheTableAndBeepsBeforeTheChooser) {
  Screen.PickContract(Levate);
  M.NewMatch();
  const int chooser = Screen.IndexOf(TEventKind::Chooser);
  ASSERT_GE(chooser, 1);
  EXPECT_EQ(Screen.Count(TEventKind::Chooser), 1);
  EXPECT_EQ(Screen.Events[chooser].Text, "You");
  EXPECT_EQ(Screen.Events[chooser - 1].Kind, TEventKind::Beep);
  const int fill = Screen.IndexOf(TEventKind::FillWindow);
  EXPECT_GE(fill, 0);
  EXPECT_LT(fill, chooser);
  EXPECT_TRUE(Screen.Events[chooser].RepaintPending);
  EXPECT_TRUE(M.Redraw.NeedsRepaint);
}

TEST_F(NewMatch, ChooserSeesTheFreshDeal) {
  MessUp();
  TTable probe{77};
  probe.Match.DealCards();
  bool asked = false;
  Screen.OnChooser = [&](TGameChooser& chooser) {
    asked = true;
    // Shows the hand and an empty layout behind the dialog.
    EXPECT_EQ(M.Deal().Contract, VarloLayout);
    EXPECT_EQ(ChosenCount(M), 0);
    EXPECT_EQ(LaidOut(M), 0);
    for (int seat = 0; seat < SeatCount; ++seat)
      EXPECT_EQ(M.Deal().Players[seat].Cards, probe.Match.Deal().Players[seat].Cards);
    EXPECT_EQ(chooser.PlayerLabel(), "Alice");
    chooser.ToggleItem(Total);
    chooser.TryClose();
  };
  M.NewMatch();
  EXPECT_TRUE(asked);
  EXPECT_EQ(M.Deal().Contract, Total);
}

TEST_F(NewMatch, DropsALayoutDealUnderWay) {
  Edit(M)->Deal.Contract = VarloLayout;
  M.DealCards();
  {
    TEdit edit(M);
    edit->Deal.Layout[4] = edit->Deal.Layout[5] = edit->Deal.Layout[20] = true;
    edit->Progress.FinishOrder = {"Jack", "You"};
    edit->Deal.SkipNext = true;
    edit->Deal.Trick = {4, 5, 20, -1};
  }
  bool clearedBeforeChoice = false;
  Screen.OnChooser = [&](TGameChooser& chooser) {
    clearedBeforeChoice = LaidOut(M) == 0 && M.Progress().FinishOrder.empty() && !M.Deal().SkipNext;
    chooser.ToggleItem(Club10);
    chooser.TryClose();
  };
  M.NewMatch();
  EXPECT_TRUE(clearedBeforeChoice);
  EXPECT_EQ(LaidOut(M), 0);
  EXPECT_TRUE(M.Progress().FinishOrder.empty());
  EXPECT_FALSE(M.Deal().SkipNext);
  EXPECT_EQ(M.Deal().Trick, EmptyTrick);
  EXPECT_EQ(M.Deal().Contract, Club10);
}

// A reading at which the human is dealt a jack, so he can open a layout deal.
std::uint64_t ReadingWithHumanJack() {
  for (std::uint64_t reading = 1;; ++reading) {
    TTable probe{reading};
    probe.Match.DealCards();
    for (TCard card : probe.Match.Deal().Players[0].Cards)
      if (RankOf(card) == JackRank) return reading;
  }
}

TEST(NewMatchLayout, HumanWithAJackWaitsForHisClick) {
  TTable table{ReadingWithHumanJack()};
  TMatch& m = table.Match;
  table.Screen.PickContract(VarloLayout);
  m.NewMatch();
  EXPECT_EQ(m.Deal().Contract, VarloLayout);
  EXPECT_EQ(m.Lines().GameLine, "Current Game: Varlo");
  EXPECT_TRUE(m.InputEnabled());
  EXPECT_FALSE(m.Deal().SkipNext);
  EXPECT_EQ(m.Deal().Leader, 0);
  EXPECT_EQ(LaidOut(m), 0);
  for (const auto& player : m.Deal().Players) EXPECT_EQ(CardCount(player), HandSize);
  EXPECT_TRUE(table.Screen.Messages().empty());
  EXPECT_FALSE(m.HumanMustPass());
}

}  // namespace
