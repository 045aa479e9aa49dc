// What the headless front end reports to its listeners: one record per
// event of the match, in the order in which they happen.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "records.h"
#include "score.h"
#include "screen.h"

namespace varlo {

class TMatch;

enum class TEventKind { New, Resume, Click, Beep, Box, Chooser, Score, Records, Pause, Fill, Match };

struct TEventRecord {
  TEventKind Kind = TEventKind::New;
  int X = 0, Y = 0;                         // Click
  TBoxKind Box = TBoxKind::Information;     // Box
  std::string_view Text{};                  // Box
  int Seat = 0, Contract = 0;               // Chooser
  const TScoreTable* Score = nullptr;       // Score
  const std::vector<TTopEntry>* Records = nullptr;  // Records
  int Ms = 0;                               // Pause
};

class TEventSink {
 public:
  virtual ~TEventSink() = default;
  /// Called with the match as it stands at the event.
  virtual void OnEvent(const TMatch& match, const TEventRecord& event) = 0;
};

}  // namespace varlo
