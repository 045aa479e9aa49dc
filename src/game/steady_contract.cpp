// The Steady player's contract choice: a club player's count of his hand.
// Under a trick contract he counts the tricks it will take (an ace is a
// trick, a king is one with a guard, ...) and the points that its own
// scoring cards and the tricks bring; under "Varlo" the runs that start
// from his jacks. Each contract goes to the hand that beats an ordinary
// hand's count under it by the most.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numeric>

#include "card_sets.h"
#include "contracts.h"
#include "random.h"
#include "steady_rules.h"

namespace varlo {

namespace {

// Hands dealt (always the same ones) to learn what an ordinary hand counts.
constexpr int OrdinaryHands = 4000;

// The chance that a card takes a trick: sure when no higher card is out;
// otherwise it must wait for each higher card to fall, which a long suit
// can afford and a short one cannot.
double TrickChance(TCard card, TCardSet own) {
  const int higher = CardsIn(CardsAbove(card) & ~own);
  if (higher == 0) return 1;
  const int length = CardsIn(own & SuitCards(SuitOf(card)));
  return std::pow(length > higher ? 0.6 : 0.25, higher);
}

double TrickValue(TCardSet own, std::int32_t contract) {
  double tricks = 0, points = 0, others = 0;
  for (TCard c = 0; c < DeckSize; ++c) {
    if (own & CardBit(c)) {
      const double chance = TrickChance(c, own);
      tricks += chance;
      points += CardPointsOf(contract, c) * chance;
    } else {
      others += CardPointsOf(contract, c);
    }
  }
  // The others' scoring cards fall into his tricks in proportion to them.
  const double perTrick = TrickPointsOf(contract, {NoCard, NoCard, NoCard, NoCard});
  return perTrick * tricks + points + others * tricks / HandSize * 0.5;
}

// Under "Varlo": each jack and the run of his own cards that follows it is
// a sure start; a card far from any of his jacks waits for the others.
double LayoutValue(TCardSet own) {
  double value = 0;
  for (int suit = 0; suit < SeatCount; ++suit) {
    const bool jack = own & CardBit(CardOf(suit, JackRank));
    for (int step : {-1, +1}) {
      bool run = jack;
      for (int rank = JackRank + step, gap = jack ? 0 : 1; rank >= Seven && rank <= AceRank;
           rank += step) {
        if (!(own & CardBit(CardOf(suit, rank)))) {
          run = false;
          ++gap;
          continue;
        }
        value += run ? 1 : -0.3 * gap;
        if (rank == AceRank || rank == Seven) value += 0.3;  // a free move, a skip
      }
    }
    value += jack ? 1 : 0;
  }
  return 100 * value;
}

std::array<double, ContractCount> OrdinaryValues() {
  std::array<double, ContractCount> sum{};
  TRandom random;
  random.Seed(ContractCount);
  std::array<TCard, DeckSize> deck;
  std::iota(deck.begin(), deck.end(), 0);
  for (int n = 0; n < OrdinaryHands; ++n) {
    for (int i = DeckSize - 1; i > 0; --i) std::swap(deck[i], deck[random.Uniform(i + 1)]);
    THand hand;
    std::copy_n(deck.begin(), HandSize, hand.begin());
    for (int c = 0; c < ContractCount; ++c) sum[c] += HandValue(hand, c);
  }
  for (double& s : sum) s /= OrdinaryHands;
  return sum;
}

}  // namespace

double HandValue(const THand& hand, std::int32_t contract) {
  const TCardSet own = HandCards(hand);
  return IsTrickContract(contract) ? TrickValue(own, contract) : LayoutValue(own);
}

int SteadyContract(const THand& hand, const TContractRow& chosen) {
  static const std::array<double, ContractCount> ordinary = OrdinaryValues();
  int best = -1;
  double bestGain = 0;
  for (int c = 0; c < ContractCount; ++c) {
    if (chosen[c]) continue;
    const double gain = HandValue(hand, c) - ordinary[c];
    if (best < 0 || gain > bestGain) {
      best = c;
      bestGain = gain;
    }
  }
  return best;
}

}  // namespace varlo
