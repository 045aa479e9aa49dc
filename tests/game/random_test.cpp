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
  // 0 * 3 leaves a low half of 0, below 2^64 mod 3 = 1: drawn again. The
  // high half of (2^64 - 1) * 3 is 2.
  TScriptedEngine engine{{0, TScriptedEngine::max()}};
  EXPECT_EQ(DrawBelow(engine, 3), 2u);
}

// One clock reading, one deal: hand by hand, slot by slot. Then the
// contract draws of a computer chooser from the generator as it stands.
TEST(DealCards, OneClockReadingOneExactDeal) {
  varlo_test::TTable table(1733650000123456789ULL);
  table.Match.DealCards();
  const std::array<THand, SeatCount> golden{{{27, 16, 10, 20, 29, 14, 3, 4},
                                             {18, 22, 19, 30, 13, 21, 7, 25},
                                             {31, 28, 24, 0, 15, 6, 11, 1},
                                             {8, 17, 2, 12, 23, 26, 9, 5}}};
  for (int seat = 0; seat < SeatCount; ++seat)
    EXPECT_EQ(table.Match.Deal().Players[seat].Cards, golden[seat]) << "seat " << seat;
  TContractRow row{true, false, false, true, false, false, false, false};
  for (int expected : {2, 1, 4, 5, 6, 7}) EXPECT_EQ(table.Match.PickRandomContract(row), expected);
}

}  // namespace
