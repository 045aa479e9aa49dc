// The Strong player: it decides from what its seat has seen and nothing
// else, the deals it imagines agree with all of that, and it spends each
// contract on a hand that suits it. Whole matches of Strong players through
// the headless runner keep the rules, replay from one seed and deal the same
// cards whatever seat 0 plays; only they time their decisions.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>
#include <vector>

#include "coach.h"
#include "fake_screen.h"
#include "match_runner.h"
#include "playout.h"
#include "steady_player.h"
#include "strong_player.h"

namespace varlo_test {
namespace {

using namespace varlo;

// Small enough to run quickly, large enough to weigh the cards.
const TStrongBudget Quick{6, 60, 6, 60};

// Sees every hand: what the knowledge test must be able to catch.
struct TPeekingPlayer final : TStrongPlayer {
  using TStrongPlayer::TStrongPlayer;
  TSeatView View(const TDealState& state, int seat) const override { return {state, {}, seat}; }
};

TDealState Dealt(std::uint64_t reading, std::int32_t contract, int chooser) {
  TTable table(reading);
  table.Match.DealCards();
  TDealState deal = table.Match.Deal();
  deal.Contract = contract;
  deal.Leader = deal.Chooser = chooser;
  return deal;
}

// Every third moment of a deal, played at random, at which the seat (2
// unless said) has a choice; the reading gives the cards, the contract and
// the chooser.
std::vector<TDealState> Choices(std::uint64_t reading, int seat = 2) {
  TDealState deal = Dealt(reading, static_cast<std::int32_t>(reading % ContractCount),
                          static_cast<int>(reading / ContractCount % SeatCount));
  TRandom random;
  random.Seed(reading);
  std::vector<TDealState> found;
  for (int next = deal.Chooser, n = 0; (next = deal.NextToChoose(next)) >= 0;) {
    if (next == seat && SlotCount(deal.LegalSlots(seat)) >= 2 && n++ % 3 == 0)
      found.push_back(deal);
    next = TDealState::SeatAfter(next, deal.Play(next, RandomSlot(deal.LegalSlots(next), random)));
  }
  return found;
}

// A deal the seat cannot tell from this one: the hidden cards dealt anew by
// SampleWorld, into any slots. On the way, SampleWorld is held to what the
// seat knows: each hand its count, no card where it is known not to be, and
// exactly the cards the seat cannot see.
TDealState Redistributed(const TDealState& deal, int seat, TRandom& random) {
  const TSeatView view = SeeAs(deal, seat);
  TDealState other;
  SampleWorld(view, random, other);
  EXPECT_EQ(other.Players[seat].Cards, deal.Players[seat].Cards);
  TCardSet dealt = 0;
  for (int s = 0; s < SeatCount; ++s) {
    EXPECT_EQ(CardCount(other.Players[s]), CardCount(deal.Players[s]));
    if (s == seat) continue;
    THand& hand = other.Players[s].Cards;
    for (int k = HandSize - 1; k > 0; --k) std::swap(hand[k], hand[random.Uniform(k + 1)]);
    TCardSet held = 0;
    for (TCard c : hand) held |= c == NoCard ? 0 : CardBit(c);
    EXPECT_EQ(held & deal.Excluded[s], 0u) << "seat " << s;
    dealt |= held;
  }
  EXPECT_EQ(dealt, view.Unseen());
  return other;
}

TEST(StrongPlayer, DecidesFromWhatItsSeatHasSeenOnly) {
  TRandom rng;
  rng.Seed(8);
  const auto decide = [](TStrongPlayer&& player, const TDealState& deal) {
    return player.ChooseSlot(deal, 2, deal.LegalSlots(2));
  };
  int situations = 0, peekerSwayed = 0;
  for (std::uint64_t reading = 301; reading < 325; ++reading) {
    for (const TDealState& deal : Choices(reading)) {
      ++situations;
      const int honest = decide(TStrongPlayer(99, Quick), deal);
      const int peeking = decide(TPeekingPlayer(99, Quick), deal);
      for (int k = 0; k < 4; ++k) {
        const TDealState other = Redistributed(deal, 2, rng);
        ASSERT_EQ(decide(TStrongPlayer(99, Quick), other), honest) << "reading " << reading;
        peekerSwayed += decide(TPeekingPlayer(99, Quick), other) != peeking;
      }
    }
  }
  EXPECT_GT(situations, 40);
  // The same check tells a player that looks at the other hands.
  EXPECT_GT(peekerSwayed, situations / 4);
}

// The coach shows the human the same search from his own seat: the same
// view, whatever the hidden hands, gives the same figures.
TEST(Coach, AdvisesFromWhatTheHumanHasSeenOnly) {
  TRandom rng;
  rng.Seed(10);
  int situations = 0;
  for (std::uint64_t reading = 301; reading < 317; ++reading) {
    for (const TDealState& deal : Choices(reading, 0)) {
      ++situations;
      const TCoachAdvice advice = Advise(deal, Quick);
      ASSERT_GE(advice.Best, 0);
      for (int k = 0; k < 3; ++k)
        ASSERT_EQ(Advise(Redistributed(deal, 0, rng), Quick), advice) << "reading " << reading;
    }
  }
  EXPECT_GT(situations, 20);
}

TEST(SteadyPlayer, DecidesFromWhatItsSeatHasSeenOnly) {
  TRandom rng;
  rng.Seed(9);
  TSteadyPlayer steady;
  int situations = 0;
  for (std::uint64_t reading = 301; reading < 333; ++reading) {
    for (const TDealState& deal : Choices(reading)) {
      ++situations;
      const int chosen = steady.ChooseSlot(deal, 2, deal.LegalSlots(2));
      for (int k = 0; k < 4; ++k)
        ASSERT_EQ(steady.ChooseSlot(Redistributed(deal, 2, rng), 2, deal.LegalSlots(2)), chosen)
            << "reading " << reading;
    }
  }
  EXPECT_GT(situations, 60);
}

// The card is the best of the estimates a coach would show for the same
// view, and each decision follows from the seed and the view alone: asked in
// another order, after other decisions, the answers are the same (a saved
// match goes on as it would have; a card taken back is answered alike).
TEST(StrongPlayer, PlaysTheBestOfItsEstimatesWhateverWasAskedBefore) {
  std::vector<TDealState> positions;
  for (std::uint64_t reading = 401; reading < 417; ++reading) positions.push_back(Choices(reading)[0]);
  TStrongPlayer forward(77, Quick), backward(77, Quick);
  std::vector<int> answers, reversed;
  for (const TDealState& deal : positions) {
    const TSlotSet legal = deal.LegalSlots(2);
    const auto value = EstimateSlots(SeeAs(deal, 2), legal, forward.Seed(), forward.Budget());
    int best = LowestSlot(legal);
    for (int slot = 0; slot < HandSize; ++slot) {
      const bool playable = (legal >> slot) & 1u;
      if (!playable) {
        EXPECT_EQ(value[slot], 0.0);
      } else if (value[slot] > value[best]) {
        best = slot;
      }
      if (playable && deal.Contract == VarloLayout) {
        EXPECT_TRUE(value[slot] >= 0 && value[slot] <= 400);
      }
    }
    answers.push_back(forward.ChooseSlot(deal, 2, legal));
    EXPECT_EQ(answers.back(), best);
  }
  for (auto it = positions.rbegin(); it != positions.rend(); ++it)
    reversed.insert(reversed.begin(), backward.ChooseSlot(*it, 2, it->LegalSlots(2)));
  EXPECT_EQ(reversed, answers);
}

// Whatever the row, the choice is a contract still free, and it comes from
// the seat's own hand alone.
TEST(StrongPlayer, ChoosesAFreeContractFromItsOwnHandOnly) {
  TRandom rng;
  rng.Seed(8);
  for (int n = 0; n < 30; ++n) {
    TContractRow row;
    for (bool& spent : row) spent = rng.Uniform(2);
    row[rng.Uniform(ContractCount)] = false;
    const TDealState fresh = Dealt(600 + n, Whist, 3);
    const int chosen = TStrongPlayer(5, Quick).ChooseContract(fresh, 3, row);
    ASSERT_TRUE(chosen >= 0 && chosen < ContractCount && !row[chosen]) << chosen;
    EXPECT_EQ(TStrongPlayer(5, Quick).ChooseContract(Redistributed(fresh, 3, rng), 3, row), chosen);
  }
}

// Swaps the cards into the first slots of the seat's hand; every hand keeps
// its count.
void Give(TDealState& deal, int seat, std::initializer_list<TCard> cards) {
  int slot = 0;
  for (TCard card : cards) {
    for (auto& player : deal.Players)
      for (TCard& held : player.Cards)
        if (held == card) std::swap(held, deal.Players[seat].Cards[slot]);
    ++slot;
  }
}

TEST(StrongPlayer, SpendsAContractOnTheHandThatSuitsIt) {
  TDealState deal = Dealt(12, Whist, 1);
  const TContractRow whistOrLevate{true, false, false, true, true, true, true, true};
  Give(deal, 1, {7, 6, 15, 14, 23, 22, 31, 30});  // aces and kings
  EXPECT_EQ(TStrongPlayer(1).ChooseContract(deal, 1, whistOrLevate), Whist);
  Give(deal, 1, {0, 1, 8, 9, 16, 17, 24, 25});  // sevens and eights
  EXPECT_EQ(TStrongPlayer(1).ChooseContract(deal, 1, whistOrLevate), Levate);
}

// "Heart King": Sandra leads the ace of hearts; Jack, last to play, drops
// his king under it rather than the eight that the first slot would give.
TEST(StrongPlayer, DropsTheHeartKingUnderAnotherSeatsAce) {
  TDealState deal = Dealt(21, HeartKing, 2);
  Give(deal, 1, {1, 6});
  Give(deal, 2, {7});
  Give(deal, 3, {2});
  Give(deal, 0, {3});
  for (int seat : {2, 3, 0}) deal.Play(seat, 0);
  EXPECT_EQ(TStrongPlayer(3, Quick).ChooseSlot(deal, 1, deal.LegalSlots(1)), 1);
}

// One match of seed 8: its summary and its transcript.
std::pair<TRunSummary, std::string> PlayOne(THumanStyle human, TOpponentLevel opponents) {
  std::ostringstream out;
  TRunOptions options;
  options.Seed = 8;
  options.Human = human;
  options.Opponents = opponents;
  options.StrongBudget = {4, 24, 4, 24};
  options.Transcript = &out;  // no records folder: no records kept
  const TRunSummary summary = RunMatches(options);
  for (const auto& failure : summary.Failures) ADD_FAILURE() << failure;
  return {summary, out.str()};
}

// Every deal as dealt, and the contracts chosen by seats 1..3.
std::vector<std::string> DealsAndTheirChoices(const std::string& transcript) {
  std::vector<std::string> deals;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    const auto j = nlohmann::json::parse(line);
    if (j.at("ev") != "chooser") continue;
    const std::string contract = j.at("seat") == 0 ? "" : j.at("contract").dump();
    deals.push_back(j.at("st").at("hands").dump() + contract);
  }
  return deals;
}

// Golden seeds: one seed, one whole match, to the point.
TEST(StrongRuns, FixedSeedsPlayFixedMatches) {
  const std::array<double, 4> steady{-470, -280, -490, -760}, strong{-20, -160, -1920, 100};
  EXPECT_EQ(PlayOne(THumanStyle::Steady, TOpponentLevel::Steady).first.MeanScores, steady);
  EXPECT_EQ(PlayOne(THumanStyle::Strong, TOpponentLevel::Strong).first.MeanScores, strong);
}

TEST(StrongRuns, OneSeedOneMatchAndTheSameDealsWhateverSeatZeroPlays) {
  const auto [strong, transcript] = PlayOne(THumanStyle::Strong, TOpponentLevel::Strong);
  EXPECT_GT(strong.DecisionMs.size(), 500u);
  EXPECT_EQ(transcript, PlayOne(THumanStyle::Strong, TOpponentLevel::Strong).second);
  const auto [classic, classicTranscript] = PlayOne(THumanStyle::First, TOpponentLevel::Classic);
  EXPECT_EQ(SummaryLine(classic).find("decision_ms"), std::string::npos);
  const auto deals = DealsAndTheirChoices(classicTranscript);
  ASSERT_EQ(deals.size(), static_cast<std::size_t>(DealsPerMatch));
  for (const THumanStyle seat0 : {THumanStyle::Strong, THumanStyle::Random})
    EXPECT_EQ(DealsAndTheirChoices(PlayOne(seat0, TOpponentLevel::Classic).second), deals);
}

}  // namespace
}  // namespace varlo_test
