// The generator's draw to a range is our own code: one clock reading gives
// one deal on every standard library.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "fake_screen.h"
#include "random.h"

namespace {

using namespace varlo;

// An engine that hands out a fixed list of words.
struct TScriptedEngine {
  using result_type = std::uint64_t;
  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return std::numeric_limits<std::uint64_t>::max(); }
  std::vector<result_type> Words;
  std::size_t Next = 0;
  result_type operator()() { return Words.at(Next++); }
};

TEST(DrawBelow, KeepsTheHighHalfAndRejectsTheBiasedLowProducts) {
  constexpr std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
  // 0 * 3 leaves a low half of 0, below 2^64 mod 3 = 1: drawn again.
  TScriptedEngine engine{{0, top, top / 2}};
  EXPECT_EQ(DrawBelow(engine, 3), 2u);
  EXPECT_EQ(engine.Next, 2u);
  EXPECT_EQ(DrawBelow(engine, 32), 15u);
  EXPECT_EQ(engine.Next, 3u);
}

TEST(DrawBelow, WideProductByHalvesAgreesWithTheCompilers) {
  const std::uint64_t values[] = {0, 1, 3, 32, 0xFFFFFFFFu, 0x100000000u, 0x9E3779B97F4A7C15u,
                                  std::numeric_limits<std::uint64_t>::max()};
  for (std::uint64_t a : values) {
    for (std::uint64_t b : values) {
      std::uint64_t high = 0, highByHalves = 0;
      const std::uint64_t low = MultiplyWide(a, b, high);
      EXPECT_EQ(MultiplyWideByHalves(a, b, highByHalves), low) << a << " * " << b;
      EXPECT_EQ(highByHalves, high) << a << " * " << b;
    }
  }
}

// One clock reading, one deal: hand by hand, slot by slot. Then the
// contract draws of a computer chooser from the generator as it stands.
TEST(DealCards, OneClockReadingOneExactDeal) {
  varlo_test::TTable table(1733650000123456789ULL);
  table.Match.DealCards();
  const std::array<THand, SeatCount> golden{{
      {27, 16, 10, 20, 29, 14, 3, 4},
      {18, 22, 19, 30, 13, 21, 7, 25},
      {31, 28, 24, 0, 15, 6, 11, 1},
      {8, 17, 2, 12, 23, 26, 9, 5},
  }};
  for (int seat = 0; seat < SeatCount; ++seat)
    EXPECT_EQ(table.Match.Players[seat].Cards, golden[seat]) << "seat " << seat;
  std::array<bool, ContractCount> row{};
  row[0] = row[3] = true;
  std::vector<int> drawn;
  for (int i = 0; i < 6; ++i) drawn.push_back(table.Match.PickRandomContract(row));
  EXPECT_EQ(drawn, (std::vector<int>{2, 1, 4, 5, 6, 7}));
}

}  // namespace
