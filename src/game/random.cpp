#include "random.h"

#include <chrono>

namespace varlo {

std::uint64_t TSystemClock::Read() {
  return static_cast<std::uint64_t>(
      std::chrono::system_clock::now().time_since_epoch().count());
}

void TRandom::Seed(std::uint64_t seed) {
  // Fold the 64-bit reading into the engine's range; minstd_rand treats a
  // seed of 0 (mod its modulus) as 1 by itself.
  const std::uint64_t mixed = seed ^ (seed >> 31) ^ (seed >> 62);
  Engine.seed(static_cast<std::minstd_rand::result_type>(mixed % std::minstd_rand::modulus));
}

std::int32_t TRandom::Uniform(std::int32_t count) {
  std::uniform_int_distribution<std::int32_t> dist(0, count - 1);
  return dist(Engine);
}

}  // namespace varlo
