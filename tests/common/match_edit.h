// A test's way to set up a position. Cards move only through the match's
// operations; a test that needs a position takes the match's state, changes
// it and puts it back as a whole, as a saved match is put back:
//
//   Edit(match)->Deal.Contract = Whist;
#pragma once

#include "match.h"

namespace varlo_test {

class TEdit {
 public:
  explicit TEdit(varlo::TMatch& match) : Match(match), State(match.State()) {}
  TEdit(const TEdit&) = delete;
  TEdit& operator=(const TEdit&) = delete;
  ~TEdit() { Match.Restore(State); }
  varlo::TMatchState* operator->() { return &State; }
  varlo::TMatchState& operator*() { return State; }

 private:
  varlo::TMatch& Match;
  varlo::TMatchState State;
};

/// The match's state for one statement; put back at its end.
inline TEdit Edit(varlo::TMatch& match) { return TEdit(match); }

}  // namespace varlo_test
