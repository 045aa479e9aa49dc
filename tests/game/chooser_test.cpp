// Choosing the contract of a deal: the human's check list, the computer
// players' random draw and the rule of one choice per contract and player.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "chooser.h"
#include "fake_screen.h"
#include "match.h"

namespace {

using namespace varlo;
using varlo_test::Edit;
using varlo_test::TEdit;
using varlo_test::TEventKind;
using varlo_test::TTable;

using TRow = std::array<bool, ContractCount>;

int TrueCount(const TRow& row) { return static_cast<int>(std::count(row.begin(), row.end(), true)); }

class Chooser : public ::testing::Test {
 protected:
  TTable Table;
  TMatch& M = Table.Match;
  varlo_test::TFakeScreen& Screen = Table.Screen;
  void SetUp() override { Edit(M)->Deal.Players[0].Name = "Alice"; }
};

TEST_F(Chooser, HumanFirstDealOffersEverything) {
  TGameChooser chooser(M);
  EXPECT_TRUE(chooser.ListEnabled());
  for (const TChooserItem& item : chooser.Items()) {
    EXPECT_FALSE(item.Checked);
    EXPECT_TRUE(item.Enabled);
  }
  EXPECT_EQ(chooser.PlayerLabel(), "Alice");
  EXPECT_EQ(chooser.GameLabel(), "");
  EXPECT_FALSE(chooser.Closed());
  EXPECT_EQ(TrueCount(M.Progress().ContractsChosen[0]), 0);
}

TEST_F(Chooser, ItemsAreTheContractNames) {
  const char* names[] = {"Varlo", "Whist", "Levate", "Total", "Queens", "Heart King", "Club 10", "Diamonds"};
  for (int i = 0; i < ContractCount; ++i) EXPECT_EQ(TGameChooser::ItemText(i), names[i]);
}

TEST_F(Chooser, SecondCheckReplacesTheFirst) {
  TGameChooser chooser(M);
  chooser.ToggleItem(Whist);
  EXPECT_TRUE(chooser.Items()[Whist].Checked);
  EXPECT_EQ(chooser.GameLabel(), "Whist");
  chooser.ToggleItem(Queens);
  EXPECT_FALSE(chooser.Items()[Whist].Checked);
  EXPECT_TRUE(chooser.Items()[Queens].Checked);
  EXPECT_EQ(chooser.GameLabel(), "Queens");

  EXPECT_TRUE(chooser.TryClose());
  EXPECT_TRUE(chooser.Closed());
  EXPECT_EQ(M.Deal().Contract, Queens);
  EXPECT_TRUE(M.Progress().ContractsChosen[0][Queens]);
  EXPECT_EQ(TrueCount(M.Progress().ContractsChosen[0]), 1);
  EXPECT_TRUE(Screen.Events.empty());
}

TEST_F(Chooser, NoCheckNoClose) {
  Edit(M)->Deal.Contract = Diamonds;
  TGameChooser chooser(M);
  chooser.ToggleItem(Whist);
  chooser.ToggleItem(Whist);
  EXPECT_FALSE(chooser.Items()[Whist].Checked);
  EXPECT_EQ(chooser.GameLabel(), "");

  EXPECT_FALSE(chooser.TryClose());
  EXPECT_FALSE(chooser.Closed());
  EXPECT_EQ(Screen.Messages(), std::vector<std::string>{"Select a game !!!"});
  const int box = Screen.IndexOf(TEventKind::Message);
  ASSERT_GE(box, 1);
  EXPECT_EQ(Screen.Events[box].Box, TBoxKind::Error);
  EXPECT_EQ(Screen.Events[box - 1].Kind, TEventKind::Beep);
  EXPECT_EQ(M.Deal().Contract, Diamonds);
  for (const TRow& row : M.Progress().ContractsChosen) EXPECT_EQ(TrueCount(row), 0);

  // The dialog stays open and takes a choice afterwards.
  chooser.ToggleItem(Levate);
  EXPECT_TRUE(chooser.TryClose());
  EXPECT_EQ(M.Deal().Contract, Levate);
}

TEST_F(Chooser, EarlierChoicesAreGreyedAndDoNotCount) {
  {
    TEdit edit(M);
    edit->Progress.ContractsChosen[0][Whist] = edit->Progress.ContractsChosen[0][Queens] = true;
  }
  TGameChooser chooser(M);
  for (int i = 0; i < ContractCount; ++i) {
    const bool earlier = i == Whist || i == Queens;
    EXPECT_EQ(chooser.Items()[i].Checked, earlier) << i;
    EXPECT_EQ(chooser.Items()[i].Enabled, !earlier) << i;
  }
  chooser.ToggleItem(Whist);
  EXPECT_TRUE(chooser.Items()[Whist].Checked);
  EXPECT_EQ(chooser.GameLabel(), "");
  EXPECT_FALSE(chooser.TryClose());
  EXPECT_EQ(Screen.Messages(), std::vector<std::string>{"Select a game !!!"});
}

TEST_F(Chooser, EighthChoiceLeavesOnlyTheLastFree) {
  {
    TEdit edit(M);
    edit->Progress.ContractsChosen[0].fill(true);
    edit->Progress.ContractsChosen[0][Club10] = false;
  }
  TGameChooser chooser(M);
  for (int i = 0; i < ContractCount; ++i) {
    EXPECT_EQ(chooser.Items()[i].Checked, i != Club10) << i;
    EXPECT_EQ(chooser.Items()[i].Enabled, i == Club10) << i;
  }
  chooser.ToggleItem(Total);
  EXPECT_TRUE(chooser.Items()[Total].Checked);
  chooser.ToggleItem(Club10);
  EXPECT_EQ(chooser.GameLabel(), "Club 10");
  for (int i = 0; i < ContractCount; ++i) EXPECT_TRUE(chooser.Items()[i].Checked) << i;
  EXPECT_TRUE(chooser.TryClose());
  EXPECT_EQ(M.Deal().Contract, Club10);
  EXPECT_EQ(TrueCount(M.Progress().ContractsChosen[0]), ContractCount);
}

TEST_F(Chooser, ComputerDrawsBeforeTheDialogShows) {
  M.DealCards();
  {
    TEdit edit(M);
    edit->Deal.Chooser = 2;
    auto& chosen = edit->Progress.ContractsChosen;
    chosen[2][VarloLayout] = chosen[2][Total] = chosen[2][HeartKing] = true;
    chosen[0][Whist] = true;
  }
  TGameChooser chooser(M);

  EXPECT_FALSE(chooser.ListEnabled());
  EXPECT_EQ(chooser.PlayerLabel(), "Sandra");
  int drawn = -1;
  for (int i = 0; i < ContractCount; ++i) {
    const TChooserItem& item = chooser.Items()[i];
    if (i == VarloLayout || i == Total || i == HeartKing) {
      EXPECT_TRUE(item.Checked && !item.Enabled) << i;
    } else if (item.Checked) {
      EXPECT_TRUE(item.Enabled) << i;
      EXPECT_EQ(drawn, -1) << "two contracts drawn";
      drawn = i;
    }
  }
  ASSERT_NE(drawn, -1);
  EXPECT_TRUE(M.Progress().ContractsChosen[2][drawn]);
  EXPECT_EQ(TrueCount(M.Progress().ContractsChosen[2]), 4);
  EXPECT_EQ(TrueCount(M.Progress().ContractsChosen[0]), 1);
  EXPECT_EQ(chooser.GameLabel(), ContractName(drawn));

  const auto items = chooser.Items();
  for (int k = 0; k < ContractCount; ++k) chooser.ToggleItem(k);
  for (int i = 0; i < ContractCount; ++i) {
    EXPECT_EQ(chooser.Items()[i].Checked, items[i].Checked) << i;
    EXPECT_EQ(chooser.Items()[i].Enabled, items[i].Enabled) << i;
  }
  EXPECT_EQ(chooser.GameLabel(), ContractName(drawn));

  EXPECT_TRUE(chooser.TryClose());
  EXPECT_EQ(M.Deal().Contract, drawn);
  EXPECT_EQ(TrueCount(M.Progress().ContractsChosen[2]), 4);
  EXPECT_TRUE(Screen.Messages().empty());
}

TEST_F(Chooser, ComputerSeatsShowTheirOwnNames) {
  Edit(M)->Deal.Chooser = 1;
  EXPECT_EQ(TGameChooser(M).PlayerLabel(), "Jack");
  Edit(M)->Deal.Chooser = 3;
  EXPECT_EQ(TGameChooser(M).PlayerLabel(), "Ben");
}

TEST_F(Chooser, ComputerTakesItsLastFreeContract) {
  {
    TEdit edit(M);
    edit->Deal.Chooser = 3;
    edit->Progress.ContractsChosen[3].fill(true);
    edit->Progress.ContractsChosen[3][Levate] = false;
  }
  TGameChooser chooser(M);
  EXPECT_TRUE(chooser.Items()[Levate].Checked);
  EXPECT_EQ(chooser.GameLabel(), "Levate");
  EXPECT_TRUE(chooser.TryClose());
  EXPECT_EQ(M.Deal().Contract, Levate);
}

TEST_F(Chooser, ComputerDrawIsNotAlwaysTheSame) {
  M.DealCards();
  Edit(M)->Deal.Chooser = 1;
  std::set<int> drawn;
  for (int round = 0; round < 60; ++round) {
    {
      TEdit edit(M);
      auto& row = edit->Progress.ContractsChosen[1];
      row.fill(true);
      row[Club10] = row[Diamonds] = false;
    }
    TGameChooser chooser(M);
    chooser.TryClose();
    drawn.insert(M.Deal().Contract);
  }
  EXPECT_EQ(drawn, (std::set<int>{Club10, Diamonds}));
}

TEST(PickRandomContract, EightDrawsTakeEveryContractOnce) {
  TTable table;
  table.Match.DealCards();
  TRow row{};
  std::set<int> drawn;
  for (int n = 0; n < ContractCount; ++n) {
    const TRow before = row;
    const int r = table.Match.PickRandomContract(row);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, ContractCount);
    EXPECT_FALSE(before[r]);
    EXPECT_TRUE(row[r]);
    EXPECT_EQ(TrueCount(row), n + 1);
    drawn.insert(r);
  }
  EXPECT_EQ(drawn.size(), 8u);
  EXPECT_EQ(table.Match.PickRandomContract(row), -1);
  EXPECT_EQ(TrueCount(row), ContractCount);
}

TEST(PickRandomContract, OnlyFreeEntries) {
  TTable table;
  for (int round = 0; round < 50; ++round) {
    TRow row{true, false, true, true, false, true, true, true};
    const int r = table.Match.PickRandomContract(row);
    EXPECT_TRUE(r == 1 || r == 4) << r;
    EXPECT_EQ(TrueCount(row), 7);
  }
}

TEST(PickRandomContract, FullRowGivesNothing) {
  TTable table;
  TRow row;
  row.fill(true);
  EXPECT_EQ(table.Match.PickRandomContract(row), -1);
  EXPECT_EQ(TrueCount(row), ContractCount);
}

}  // namespace
