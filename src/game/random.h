// The clock and the generator the deal and the computer choosers draw from.
// Both are injectable so that a fixed clock replays a whole match.
#pragma once

#include <cstdint>
#include <random>

namespace varlo {

/// A source of seeds. The game reads it once per deal.
class TClock {
 public:
  virtual ~TClock() = default;
  virtual std::uint64_t Read() = 0;
};

/// The wall clock in nanoseconds: what the window uses.
class TSystemClock final : public TClock {
 public:
  std::uint64_t Read() override;
};

/// A clock that starts at a fixed value and advances by one per reading:
/// every deal differs, yet the same start replays the same match.
class TSteppingClock final : public TClock {
 public:
  explicit TSteppingClock(std::uint64_t start) : Next(start) {}
  std::uint64_t Read() override { return Next++; }

 private:
  std::uint64_t Next;
};

/// The program's one pseudo-random generator. It is re-seeded at every
/// deal, so seeding must be cheap: a 64-bit linear congruential engine (Knuth's
/// MMIX constants). Its full 2^64 range lets the distribution draw from the
/// high bits by a multiplication, which are the engine's good bits.
class TRandom {
 public:
  void Seed(std::uint64_t seed);
  /// A uniform integer in 0..count-1.
  std::int32_t Uniform(std::int32_t count) {
    return std::uniform_int_distribution<std::int32_t>(0, count - 1)(Engine);
  }

 private:
  using TEngine = std::linear_congruential_engine<std::uint64_t, 6364136223846793005ULL,
                                                  1442695040888963407ULL, 0>;
  TEngine Engine;
};

}  // namespace varlo
