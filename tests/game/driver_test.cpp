// The turn driver: the order of play, the trick settlement, the ends of a
// deal and of the match, and the layout contract's passes and skips.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "fake_screen.h"
#include "records.h"

namespace varlo_test {
namespace {

using namespace varlo;

int SlotX(int slot) { return HandLeft + CardWidth * slot + CardWidth / 2; }
constexpr int HandY = 75;

// A table in the middle of a deal, with the hands and the trick set by hand.
struct TDealTable : TTable {
  explicit TDealTable(std::int32_t contract, int chooser = 0) {
    {
      TEdit edit(Match);
      edit->Deal.Contract = contract;
      edit->Deal.Chooser = chooser;
      edit->Deal.Leader = chooser;
      edit->Progress.ContractsChosen[chooser][contract] = true;
    }
    EmptyAllHands(Match);
  }
  void Hands(std::initializer_list<TCard> h0, std::initializer_list<TCard> h1,
             std::initializer_list<TCard> h2, std::initializer_list<TCard> h3) {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = MakeHand(h0);
    edit->Deal.Players[1].Cards = MakeHand(h1);
    edit->Deal.Players[2].Cards = MakeHand(h2);
    edit->Deal.Players[3].Cards = MakeHand(h3);
  }
  void KeepRecordsIn(const std::filesystem::path& file) {
    TMatchConfig config = Match.Config();
    config.RecordsFile = file;
    Match.SetConfig(config);
  }
  void Click(int slot) { Match.PlayTurn(SlotX(slot), HandY, false); }
};

TEST(DriverTrick, HumanLastToPlayCompletesTheTrickAndTheWinnerLeadsTheNext) {
  TDealTable t(Whist, 1);
  // Jack, Sandra and Ben have led J♠, Q♠ and 8♥; the human must follow spades.
  Edit(t.Match)->Deal.Trick = {12, 13, 1, NoCard};
  t.Hands({0, 8}, {23}, {20, 21}, {22, 5});
  t.Click(1);
  EXPECT_EQ(t.Match.Deal().Players[0].Cards[1], NoCard);
  // Q♠ of Sandra (seat 2) is the highest spade: +50 to her, and she leads.
  EXPECT_EQ(t.Match.Deal().Players[2].Score, 50);
  EXPECT_EQ(t.Match.Lines().HandLine, "Hand: Sandra");
  EXPECT_EQ(t.Match.Deal().Leader, 2);
  // Sandra and Ben lay the first two cards of the next trick before the human.
  EXPECT_EQ(t.Match.Deal().Trick, (TTrick{20, 22, NoCard, NoCard}));
  EXPECT_TRUE(t.Match.InputEnabled());
  // The full trick was drawn at once and then held for three seconds.
  const int pause = t.Screen.IndexOf(TEventKind::Pause);
  ASSERT_GT(pause, 0);
  EXPECT_EQ(t.Screen.Events[pause].Milliseconds, TrickPauseMs);
  EXPECT_EQ(t.Screen.Events[pause - 1].Kind, TEventKind::PaintTable);
  EXPECT_EQ(t.Screen.Count(TEventKind::Pause), 1);
}

TEST(DriverTrick, HumanLeadsAndAllThreeReplyInSeatOrder) {
  TDealTable t(Levate, 0);
  t.Hands({0, 16}, {17, 1}, {2, 18}, {24, 19});
  t.Click(0);  // 7♥ led; Jack plays 8♥, Sandra 9♥, Ben is void and plays 7♣
  EXPECT_EQ(t.Match.Deal().Players[2].Score, -50);
  EXPECT_EQ(t.Match.Deal().Leader, 2);
  EXPECT_EQ(t.Match.Deal().Players[1].Cards, MakeHand({17}));
  EXPECT_EQ(t.Match.Deal().Players[3].Cards, MakeHand({}));  // his 8♦ opened the next trick
  // Sandra leads 9♦ (slot 1 after her 9♥ left slot 0), Ben follows 10♦.
  EXPECT_EQ(t.Match.Deal().Trick, (TTrick{18, 19, NoCard, NoCard}));
}

TEST(DriverTrick, IllegalCardIsRefusedAndNothingChanges) {
  TDealTable t(Whist, 2);
  Edit(t.Match)->Deal.Trick = {20, 22, NoCard, NoCard};
  t.Hands({0, 23}, {1}, {2}, {3});
  const auto before = t.Match.Deal().Players;
  t.Click(0);  // a heart while holding a diamond
  EXPECT_EQ(t.Screen.Messages(), std::vector<std::string>{"Illegal move !!!"});
  ASSERT_GE(t.Screen.Events.size(), 2u);
  EXPECT_EQ(t.Screen.Events.back().Box, TBoxKind::Error);
  EXPECT_EQ(t.Screen.Events[t.Screen.Events.size() - 2].Kind, TEventKind::Beep);
  t.Screen.Clear();
  t.Click(5);                          // an empty slot
  t.Match.PlayTurn(630, HandY, false);  // beside the hand
  t.Match.PlayTurn(SlotX(1), 200, false);
  EXPECT_TRUE(t.Screen.Events.empty());
  EXPECT_EQ(t.Match.Deal().Players[0].Cards, before[0].Cards);
  EXPECT_EQ(t.Match.Deal().Trick, (TTrick{20, 22, NoCard, NoCard}));
  EXPECT_TRUE(t.Match.InputEnabled());
}

TEST(DriverDeal, HeartKingEndsTheDealAndTheNextSeatChooses) {
  TDealTable t(HeartKing, 0);
  {
    TEdit edit(t.Match);
    edit->Progress.DealsPlayed = 3;
    edit->Table.HandLine = "Hand: Ben";
  }
  t.Hands({6, 30}, {7, 31}, {2, 29}, {3, 28});
  t.Click(0);  // K♥ led, Jack takes it with A♥
  EXPECT_EQ(t.Match.Deal().Players[1].Score, -200);
  EXPECT_EQ(t.Match.Progress().DealsPlayed, 4);
  ASSERT_EQ(t.Screen.Scores.size(), 1u);
  EXPECT_EQ(t.Screen.Scores[0][3].Name, "Jack");
  EXPECT_EQ(t.Match.Deal().Chooser, 1);
  EXPECT_TRUE(t.Match.Lines().HandLine.empty());
  EXPECT_EQ(t.Match.Lines().GameLine, "Current Game: " + ContractName(t.Match.Deal().Contract));
  // Jack's dialog came after the score dialog, with a fresh deal in hand.
  const int score = t.Screen.IndexOf(TEventKind::Score);
  const int chooser = t.Screen.IndexOf(TEventKind::Chooser, score);
  ASSERT_GT(chooser, score);
  EXPECT_EQ(t.Screen.Events[chooser].Text, "Jack");
  EXPECT_EQ(t.Screen.Events[chooser - 1].Kind, TEventKind::Beep);
  int chosen = 0;
  for (bool c : t.Match.Progress().ContractsChosen[1]) chosen += c ? 1 : 0;
  EXPECT_EQ(chosen, 1);
  EXPECT_TRUE(t.Match.InputEnabled());
}

TEST(DriverLayout, AceGivesTheHumanAnotherMoveBeforeAnybodyElse) {
  TDealTable t(VarloLayout, 0);
  for (TCard c : {4, 5, 6}) Edit(t.Match)->Deal.Layout[c] = true;
  t.Hands({7, 12}, {20, 21}, {28}, {11});
  t.Click(0);  // A♥ on K♥, and J♠ still fits
  EXPECT_TRUE(t.Match.Deal().Layout[7]);
  EXPECT_EQ(t.Match.Deal().Players[1].Cards, MakeHand({20, 21}));
  EXPECT_EQ(t.Match.Deal().Players[2].Cards, MakeHand({28}));
  EXPECT_EQ(t.Match.Deal().Leader, 0);
  EXPECT_TRUE(t.Match.InputEnabled());
  EXPECT_TRUE(t.Screen.Messages().empty());

  // His last card: he is out first, Sandra and Ben follow in the same cycle,
  // and the rest of the deal runs without him.
  t.Click(1);
  const std::vector<std::string> expected{"You finished the game", "Sandra finished the game",
                                          "Ben finished the game", "Jack finished the game"};
  auto messages = t.Screen.Messages();
  ASSERT_GE(messages.size(), expected.size());
  messages.resize(expected.size());  // the next deal's lead-in may add its own
  EXPECT_EQ(messages, expected);
  EXPECT_EQ(t.Match.Progress().DealsPlayed, 1);
  EXPECT_EQ(t.Match.Deal().Players[0].Score, 400);
  EXPECT_EQ(t.Match.Deal().Players[2].Score, 200);
  EXPECT_EQ(t.Match.Deal().Players[3].Score, 100);
  EXPECT_EQ(t.Match.Deal().Players[1].Score, 0);
}

TEST(DriverLayout, AceWithNothingMoreToLayMeansAPass) {
  TDealTable t(VarloLayout, 0);
  for (TCard c : {4, 5, 6}) Edit(t.Match)->Deal.Layout[c] = true;
  t.Hands({7, 2}, {3}, {}, {});
  t.Click(0);  // A♥; the 9♥ needs the 10♥, which Jack lays in reply
  const std::vector<std::string> expected{"You passed", "Jack finished the game"};
  EXPECT_EQ(t.Screen.Messages(), expected);
  EXPECT_TRUE(t.Match.Deal().Layout[3]);
  EXPECT_TRUE(t.Match.MayPlaySlot(1));
  EXPECT_TRUE(t.Match.InputEnabled());
  EXPECT_TRUE(t.Screen.EveryBoxAnnounced());
}

TEST(DriverLayout, SevenInTheLeadInSkipsTheHumanAndTheNextCycleRunsAtOnce) {
  TDealTable t(VarloLayout, 1);
  for (TCard c : {4, 3, 2, 1}) Edit(t.Match)->Deal.Layout[c] = true;
  t.Hands({5, 20}, {28, 29}, {13, 12}, {0, 30});
  t.Click(0);  // Q♥; then Jack J♣, Sandra J♠, Ben 7♥ and the human loses his turn
  const std::vector<std::string> expected{"You skipped", "Jack finished the game",
                                          "Sandra finished the game", "Ben finished the game"};
  EXPECT_EQ(t.Screen.Messages(), expected);
  EXPECT_EQ(t.Match.Progress().FinishOrder, (std::vector<std::string>{"Jack", "Sandra", "Ben"}));
  EXPECT_FALSE(t.Match.Deal().SkipNext);
  EXPECT_EQ(t.Match.Deal().Players[0].Cards, MakeHand({NoCard, 20}));
  EXPECT_TRUE(t.Match.InputEnabled());
  EXPECT_TRUE(t.Screen.EveryBoxAnnounced());

  // The human's last card ends the deal: 400, 200, 100 by the order out.
  t.Screen.Clear();
  t.Click(1);
  EXPECT_EQ(t.Match.Progress().DealsPlayed, 1);
  EXPECT_EQ(t.Match.Deal().Players[1].Score, 400);
  EXPECT_EQ(t.Match.Deal().Players[2].Score, 200);
  EXPECT_EQ(t.Match.Deal().Players[3].Score, 100);
  EXPECT_EQ(t.Match.Deal().Players[0].Score, 0);
  EXPECT_EQ(t.Match.Deal().Chooser, 2);
  // The layout deal's cards are wiped before and, for a new layout deal,
  // after the choice.
  const int fill = t.Screen.IndexOf(TEventKind::FillWindow);
  ASSERT_GE(fill, 0);
  EXPECT_LT(fill, t.Screen.IndexOf(TEventKind::Chooser));
}

TEST(DriverMatch, ThirtySecondDealEndsTheMatchAndUpdatesTheRecords) {
  const auto dir = std::filesystem::temp_directory_path() / ("varlo-driver-records-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  TDealTable t(Whist, 3);
  {
    TEdit edit(t.Match);
    edit->Deal.Leader = 0;
    edit->Progress.DealsPlayed = DealsPerMatch - 1;
    edit->Deal.Players[0].Score = 120;
  }
  t.KeepRecordsIn(dir / RecordsFileName);
  ASSERT_TRUE(EnsureRecordsFile(t.Match.Config().RecordsFile, nullptr));
  t.Hands({0}, {1}, {2}, {3});
  t.Click(0);
  EXPECT_TRUE(t.Match.MatchFinished());
  EXPECT_EQ(t.Screen.Messages(), std::vector<std::string>{"Game Over !!!"});
  EXPECT_EQ(t.Screen.Count(TEventKind::Chooser), 0);
  EXPECT_EQ(t.Screen.Count(TEventKind::Records), 1);
  EXPECT_LT(t.Screen.IndexOf(TEventKind::Score), t.Screen.IndexOf(TEventKind::Message));
  const auto records = ReadRecordsFile(t.Match.Config().RecordsFile);
  ASSERT_TRUE(records.has_value());
  EXPECT_EQ(*records, (std::vector<TTopEntry>{{"You", 120}, {"Jack", 0}}));
  EXPECT_TRUE(t.Match.InputEnabled());
  std::filesystem::remove_all(dir);
}

TEST(DriverMatch, AfterTheLastDealAClickOnALeftoverCardDoesNothing) {
  TDealTable t(Queens, 3);
  {
    TEdit edit(t.Match);
    edit->Deal.Leader = 0;
    edit->Progress.DealsPlayed = DealsPerMatch - 1;
  }
  t.Hands({5, 0}, {13, 8}, {21, 16}, {29, 24});  // the four queens fall at once
  t.Click(0);
  ASSERT_TRUE(t.Match.MatchFinished());
  t.Screen.Clear();
  t.Click(1);
  EXPECT_TRUE(t.Screen.Events.empty());
  EXPECT_EQ(t.Match.Deal().Players[0].Cards, MakeHand({NoCard, 0}));
  EXPECT_EQ(t.Match.Progress().DealsPlayed, DealsPerMatch);
  EXPECT_TRUE(t.Match.InputEnabled());
}

TEST(DriverMatch, MissingRecordsFileIsSilentAndSkipsTheDialog) {
  TDealTable t(Whist, 3);
  {
    TEdit edit(t.Match);
    edit->Deal.Leader = 0;
    edit->Progress.DealsPlayed = DealsPerMatch - 1;
  }
  t.KeepRecordsIn(std::filesystem::temp_directory_path() / "varlo-no-such-dir" / "Varlo.ini");
  t.Hands({0}, {1}, {2}, {3});
  t.Click(0);
  EXPECT_EQ(t.Screen.Messages(), std::vector<std::string>{"Game Over !!!"});
  EXPECT_EQ(t.Screen.Count(TEventKind::Records), 0);
  EXPECT_FALSE(std::filesystem::exists(t.Match.Config().RecordsFile));
  EXPECT_TRUE(t.Match.InputEnabled());
}

// A clock reading whose deal leaves the human without a jack.
std::uint64_t ReadingWithoutHumanJack() {
  for (std::uint64_t reading = 1;; ++reading) {
    TTable scratch(reading);
    scratch.Match.DealCards();
    bool jack = false;
    for (TCard c : scratch.Match.Deal().Players[0].Cards) jack = jack || RankOf(c) == JackRank;
    if (!jack) return reading;
  }
}

TEST(DriverNew, LayoutChosenWithoutAJackPassesAtOnceAndPlaysOn) {
  TTable t(ReadingWithoutHumanJack());
  t.Screen.PickContract(VarloLayout);
  t.Match.NewMatch();
  const auto messages = t.Screen.Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "You passed");
  EXPECT_GT(t.Screen.IndexOf(TEventKind::Message), t.Screen.IndexOf(TEventKind::Chooser));
  EXPECT_EQ(t.Match.Lines().GameLine, "Current Game: Varlo");
  EXPECT_FALSE(t.Match.Driver().ChoosePending);
  EXPECT_TRUE(t.Match.InputEnabled());
  bool playable = false;
  for (int slot = 0; slot < HandSize; ++slot) playable = playable || t.Match.MayPlaySlot(slot);
  EXPECT_TRUE(playable);
  EXPECT_TRUE(t.Screen.EveryBoxAnnounced());
}

TEST(DriverNew, TrickContractChosenWaitsForTheHumansLead) {
  TTable t(5);
  t.Screen.PickContract(Total);
  t.Match.NewMatch();
  EXPECT_EQ(t.Match.Deal().Contract, Total);
  EXPECT_EQ(t.Match.Lines().GameLine, "Current Game: Total");
  EXPECT_EQ(t.Match.Deal().Leader, 0);
  EXPECT_EQ(t.Match.Deal().Trick, (TTrick{NoCard, NoCard, NoCard, NoCard}));
  for (const auto& p : t.Match.Deal().Players) EXPECT_EQ(CardCount(p), HandSize);
  EXPECT_TRUE(t.Match.InputEnabled());
  EXPECT_EQ(t.Screen.Count(TEventKind::Pause), 0);
}

}  // namespace
}  // namespace varlo_test
