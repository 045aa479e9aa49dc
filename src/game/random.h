// The clock and the generator the deal and the computer choosers draw from.
// Both are injectable so that a fixed clock replays a whole match.
#pragma once

#include <cstdint>
#include <limits>
#include <random>

namespace varlo {

/// The 128-bit product of a and b: returns its low half, stores the high.
inline std::uint64_t MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& high) {
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  high = static_cast<std::uint64_t>(product >> 64);
  return static_cast<std::uint64_t>(product);
}

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

/// A uniform integer in 0..count-1 (count >= 1) drawn from an engine of full
/// 64-bit words: Lemire's multiply-shift, rejecting the few low products
/// that would favour some results. libstdc++ reduces such engines the same
/// way, so the deals are what they always were; being our own code, they are
/// now the same on every standard library.
template <typename TEngine>
std::uint64_t DrawBelow(TEngine& engine, std::uint64_t count) {
  static_assert(TEngine::min() == 0 &&
                TEngine::max() == std::numeric_limits<std::uint64_t>::max());
  std::uint64_t high = 0;
  std::uint64_t low = MultiplyWide(engine(), count, high);
  if (low < count) {
    const std::uint64_t threshold = (0 - count) % count;
    while (low < threshold) low = MultiplyWide(engine(), count, high);
  }
  return high;
}

/// The program's one pseudo-random generator. It is re-seeded at every
/// deal, so seeding must be cheap: a 64-bit linear congruential engine (Knuth's
/// MMIX constants). Its full 2^64 range lets the distribution draw from the
/// high bits by a multiplication, which are the engine's good bits.
class TRandom {
 public:
  void Seed(std::uint64_t seed);
  /// A uniform integer in 0..count-1.
  std::int32_t Uniform(std::int32_t count) {
    return static_cast<std::int32_t>(DrawBelow(Engine, static_cast<std::uint64_t>(count)));
  }
  /// A whole 64-bit word, for seeding a generator of one's own.
  std::uint64_t Next() { return Engine(); }

  /// The engine's whole state, for saving a match: SetState(State()) goes
  /// on with the same numbers.
  std::uint64_t State() const;
  void SetState(std::uint64_t state) { Engine.seed(state); }

  friend bool operator==(const TRandom&, const TRandom&) = default;

 private:
  using TEngine = std::linear_congruential_engine<std::uint64_t, 6364136223846793005ULL,
                                                  1442695040888963407ULL, 0>;
  TEngine Engine;
};

}  // namespace varlo
