#include "random.h"

#include <chrono>
#include <sstream>

namespace varlo {

std::uint64_t TSystemClock::Read() {
  return static_cast<std::uint64_t>(
      std::chrono::system_clock::now().time_since_epoch().count());
}

void TRandom::Seed(std::uint64_t seed) {
  // Clock readings a few nanoseconds apart differ only in their low bits;
  // spread them over the whole state (the splitmix64 finaliser) so that
  // neighbouring readings give unrelated deals.
  seed += 0x9E3779B97F4A7C15ULL;
  seed = (seed ^ (seed >> 30)) * 0xBF58476D1CE4E5B9ULL;
  seed = (seed ^ (seed >> 27)) * 0x94D049BB133111EBULL;
  Engine.seed(seed ^ (seed >> 31));
}

std::uint64_t TRandom::State() const {
  // The standard engines show their state only as text; an engine seeded
  // with a value of the full modulus takes it unchanged as its state.
  std::ostringstream text;
  text << Engine;
  return std::stoull(text.str());
}

}  // namespace varlo
