// The Strong player's costs: playouts per second under each contract, and
// one whole decision (a card, a contract) from the middle of a dealt deal.
#include <benchmark/benchmark.h>

#include <numeric>

#include "playout.h"
#include "strong_player.h"

namespace {

using namespace varlo;

TDealState Deal(std::uint64_t seed, std::int32_t contract) {
  TRandom random;
  random.Seed(seed);
  std::array<TCard, DeckSize> deck;
  std::iota(deck.begin(), deck.end(), 0);
  for (int i = DeckSize - 1; i > 0; --i) std::swap(deck[i], deck[random.Uniform(i + 1)]);
  TDealState deal;
  for (int k = 0; k < DeckSize; ++k) deal.Players[k / HandSize].Cards[k % HandSize] = deck[k];
  deal.Contract = contract;
  return deal;
}

// A whole deal from its first card, everybody playing as the Strong
// player's playouts do (the Steady rules and a share of random moves).
void Playouts(benchmark::State& state) {
  const auto contract = static_cast<std::int32_t>(state.range(0));
  const TDealState deal = Deal(7, contract);
  const int randomPercent = TStrongBudget{}.RandomPercent;
  TRandom luck;
  luck.Seed(1);
  TDealState scratch;
  for (auto _ : state) {
    scratch = deal;
    benchmark::DoNotOptimize(PlayOut(scratch, 0, 0, luck, randomPercent));
  }
  state.SetLabel(ContractName(contract));
  state.counters["playouts_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(Playouts)->DenseRange(0, ContractCount - 1);

// Seat 0 leads the first trick (or opens the layout deal): all eight cards
// are candidates, the dearest card decision of a deal.
void FirstCard(benchmark::State& state) {
  const auto contract = static_cast<std::int32_t>(state.range(0));
  TStrongPlayer player(3);
  std::uint64_t seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    TDealState deal = Deal(seed++, contract);
    state.ResumeTiming();
    benchmark::DoNotOptimize(player.ChooseSlot(deal, 0, deal.LegalSlots(0)));
  }
  state.SetLabel(ContractName(contract));
}
BENCHMARK(FirstCard)->DenseRange(0, ContractCount - 1)->Unit(benchmark::kMillisecond);

// The first choice of a match: all eight contracts free.
void FirstContract(benchmark::State& state) {
  TStrongPlayer player(4);
  std::uint64_t seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    TDealState deal = Deal(seed++, VarloLayout);
    state.ResumeTiming();
    benchmark::DoNotOptimize(player.ChooseContract(deal, 0, TContractRow{}));
  }
}
BENCHMARK(FirstContract)->Unit(benchmark::kMillisecond);

}  // namespace
