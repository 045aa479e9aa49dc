// Arbitrary bytes as the content of the unfinished match's file: the reader
// either turns them away or loads a match that the rules can go on with, and
// what it loads comes back equal when written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "match_file.h"

namespace {

void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "match file property violated: %s\n", property);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const varlo::TLoadResult loaded = varlo::DecodeMatch(text);
  if (loaded.Status != varlo::TLoadStatus::Loaded) return 0;
  const varlo::TDealState& deal = loaded.Saved.Match.Deal;
  Check(deal.Leader >= 0 && deal.Leader < varlo::SeatCount, "a leader at the table");
  Check(deal.Contract >= 0 && deal.Contract < varlo::ContractCount, "a contract of the eight");
  const varlo::TLoadResult again = varlo::DecodeMatch(varlo::EncodeMatch(loaded.Saved));
  Check(again.Status == varlo::TLoadStatus::Loaded, "what was loaded can be written and read");
  Check(again.Saved == loaded.Saved, "and comes back equal");
  return 0;
}
