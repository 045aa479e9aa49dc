// The JSON Lines transcript of a match: one object per event, each with the
// state of the match at that moment.
#pragma once

#include <ostream>

#include "events.h"

namespace varlo {

class TTranscript final : public TEventSink {
 public:
  explicit TTranscript(std::ostream& out) : Out(out) {}
  void OnEvent(const TMatch& match, const TEventRecord& event) override;

 private:
  std::ostream& Out;
};

}  // namespace varlo
