// The coach: what each card the human may play is worth to him in this deal,
// as the Strong player would estimate it for its own seat. It looks at the
// deal only through the human's own view, so it tells nothing of the other
// hands; and it is seeded from the position, so the same position always
// shows the same figures.
#pragma once

#include <array>

#include "deal_state.h"
#include "evaluation.h"

namespace varlo {

/// Cards this close to the best one count as just as good: closer than the
/// estimate can tell them apart.
constexpr double AsGoodMargin = 2.0;

/// The coach thinks longer than a Strong opponent: its figures are read, so
/// they must hold still from one similar position to the next.
constexpr TStrongBudget CoachBudget{40, 3200, 20, 300, 30};

struct TCoachAdvice {
  /// The slots the human may play now; nothing when he must pass.
  TSlotSet Playable = 0;
  /// For each playable slot, the points it is expected to bring him over
  /// the rest of the deal.
  std::array<double, HandSize> Points{};
  /// The best slot (the first, among equals); -1 when none is playable.
  int Best = -1;
  /// The playable slots within AsGoodMargin of the best, the best among them.
  TSlotSet AsGood = 0;

  friend bool operator==(const TCoachAdvice&, const TCoachAdvice&) = default;
};

/// The advice for seat 0 in the deal as it stands.
TCoachAdvice Advise(const TDealState& deal, const TStrongBudget& budget = CoachBudget);

}  // namespace varlo
