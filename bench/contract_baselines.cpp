// Measures what the chooser scores on average under each contract when every
// seat plays as the Strong player's playouts do (the Steady rules with a
// share of random moves): the yardstick its contract choice holds each hand
// against (ChooserBaseline in src/game/strong_player.cpp).
//
//   varlo_contract_baselines [DEALS]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

#include "playout.h"
#include "strong_player.h"

int main(int argc, char** argv) {
  using namespace varlo;
  const long deals = argc > 1 ? std::atol(argv[1]) : 100000;
  const int randomPercent = TStrongBudget{}.RandomPercent;
  TRandom dealer, luck;
  dealer.Seed(1);
  luck.Seed(2);
  std::array<double, ContractCount> sum{}, squares{};
  std::array<TCard, DeckSize> deck;
  std::iota(deck.begin(), deck.end(), 0);
  for (long d = 0; d < deals; ++d) {
    for (int i = DeckSize - 1; i > 0; --i) std::swap(deck[i], deck[dealer.Uniform(i + 1)]);
    TDealState deal;
    for (int k = 0; k < DeckSize; ++k) deal.Players[k / HandSize].Cards[k % HandSize] = deck[k];
    for (std::int32_t c = 0; c < ContractCount; ++c) {
      TDealState scratch = deal;
      scratch.Contract = c;
      const double points = PlayOut(scratch, 0, 0, luck, randomPercent);
      sum[c] += points;
      squares[c] += points * points;
    }
  }
  std::printf("contract  measured  (standard error)  in use\n");
  for (int c = 0; c < ContractCount; ++c) {
    const double mean = sum[c] / deals;
    const double error = std::sqrt((squares[c] / deals - mean * mean) / deals);
    std::printf("%-10s %8.1f  (%.1f)  %8.1f\n", ContractName(c).c_str(), mean, error,
                ChooserBaseline[c]);
  }
  return 0;
}
